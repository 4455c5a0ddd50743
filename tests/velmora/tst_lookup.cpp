// SPDX-License-Identifier: MIT
#include "layout_probe.h"
#include "window_fixture.h"

#include <velmora/velmora.h>

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include <memory>

using velmora::Section;
using velmora::UIWrapper;

Q_DECLARE_METATYPE(velmora::WidgetOptions)

namespace {

// What a found widget shows, so that rows can say which of several same-named widgets it was.
QString shown(const QWidget* widget)
{
    if (!widget)
        return QStringLiteral("-");
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (const auto* input = qobject_cast<const QLineEdit*>(widget))
        return QStringLiteral("champ ") + input->text();
    return QLatin1StringView(widget->metaObject()->className());
}

// A window that uses every kind of section, several of them naming the same widgets.
struct Furnished
{
    UIWrapper ui;
    Section* row = nullptr;
    velmora::TabSections tabs;

    Furnished()
    {
        // The right bar is made first: sidebars are searched in the order they were made.
        ui.sidebar("right").add_label("droite-x", {.name = "x"});
        ui.sidebar("left").add_label("gauche-x", {.name = "x"}).add_label("gauche-y", {.name = "y"});
        ui.add_label("racine", {.name = "racine"});
        row = &ui.add_row();
        row->add_label("ligne-z", {.name = "z"});
        row->add_column().add_label("colonne-w", {.name = "w"}).add_label("colonne-p", {.name = "profond"});
        tabs = ui.add_tabs({"Un", "Deux"});
        tabs.at("Un").add_label("un-w", {.name = "w"}).add_label("un-mixte", {.name = "mixte"});
        tabs.at("Deux")
            .add_input({.name = "courriel", .text = "zoe@exemple.fr"})
            .add_input({.name = "mixte"});
        ui.add_scroll().add_label("défilé", {.name = "v"});
        ui.add_label("racine-z", {.name = "z"});
    }

    Section& scope(const QString& which)
    {
        if (which == QLatin1StringView("ligne"))
            return *row;
        if (which == QLatin1StringView("onglet Deux"))
            return tabs.at("Deux");
        return ui.sidebar("left");
    }
};

} // namespace

class TestLookup : public QObject
{
    Q_OBJECT

private slots:
    void addedWidgetTakesTheWidgetPath_data();
    void addedWidgetTakesTheWidgetPath();
    void typedGetReturnsOnlyWidgetsOfThatClass();
    void windowFindSearchesRootThenSidebars_data();
    void windowFindSearchesRootThenSidebars();
    void sectionFindSearchesItselfThenItsChildren_data();
    void sectionFindSearchesItselfThenItsChildren();
    void findSkipsWidgetsQtDeleted();
    void tabWidgetIsReachableUntilDeleted();
    void rejectedCallChangesNothing_data();
    void rejectedCallChangesNothing();
};

void TestLookup::addedWidgetTakesTheWidgetPath_data()
{
    QTest::addColumn<velmora::WidgetOptions>("options");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<bool>("registered");

    QTest::newRow("next stretch, no name")
        << velmora::WidgetOptions{} << QStringList{"QSpinBox:3", "QLabel:4"} << "propre" << false;
    QTest::newRow("explicit stretch keeps the list")
        << velmora::WidgetOptions{.stretch = 7} << QStringList{"QSpinBox:7", "QLabel:3"} << "propre" << false;
    QTest::newRow("named") << velmora::WidgetOptions{.name = "compteur"}
                           << QStringList{"QSpinBox:3", "QLabel:4"} << "compteur" << true;
}

void TestLookup::addedWidgetTakesTheWidgetPath()
{
    QFETCH(velmora::WidgetOptions, options);
    QFETCH(QStringList, items);
    QFETCH(QString, objectName);
    QFETCH(bool, registered);

    Host host;
    Section section(host.layout, {.stretches = {3, 4}});
    auto* spin = new QSpinBox;
    spin->setObjectName("propre");
    QCOMPARE(&section.add_widget(spin, options), &section);
    section.add_label("après");

    QCOMPARE(itemsOf(section), items);
    QCOMPARE(spin->parentWidget(), &host.widget);
    QCOMPARE(spin->objectName(), objectName);
    QCOMPARE(section.get<QSpinBox>(objectName), registered ? spin : nullptr);
    QCOMPARE(section.find(objectName), registered ? spin : nullptr);
}

void TestLookup::typedGetReturnsOnlyWidgetsOfThatClass()
{
    UIWrapper ui;
    ui.add_input({.name = "champ"}).add_button("OK", [] {}, {.name = "ok"});
    auto* spin = new QSpinBox;
    ui.add_widget(spin, {.name = "nombre"});

    QCOMPARE(ui.get<QLineEdit>("champ"), ui.get("champ"));
    QVERIFY(ui.get<QLineEdit>("champ"));
    QCOMPARE(ui.get<QLabel>("champ"), nullptr);
    QCOMPARE(ui.get<QAbstractButton>("ok"), ui.get("ok"));
    QCOMPARE(ui.get<QSpinBox>("nombre"), spin);
    QCOMPARE(ui.end().get<QWidget>("nombre"), spin);
    QCOMPARE(ui.get<QLineEdit>("absent"), nullptr);
}

void TestLookup::windowFindSearchesRootThenSidebars_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("found");
    QTest::addColumn<QString>("foundAsLineEdit");

    QTest::newRow("root's own") << "racine"
                                << "racine"
                                << "-";
    QTest::newRow("root's own before its children") << "z"
                                                    << "racine-z"
                                                    << "-";
    QTest::newRow("earlier child before later one") << "w"
                                                    << "colonne-w"
                                                    << "-";
    QTest::newRow("nested two deep") << "profond"
                                     << "colonne-p"
                                     << "-";
    QTest::newRow("in a tab page") << "courriel"
                                   << "champ zoe@exemple.fr"
                                   << "champ zoe@exemple.fr";
    QTest::newRow("first match wins, whatever its class") << "mixte"
                                                          << "un-mixte"
                                                          << "-";
    QTest::newRow("in a scroll area") << "v"
                                      << "défilé"
                                      << "-";
    QTest::newRow("sidebars after the root, first made first") << "x"
                                                               << "droite-x"
                                                               << "-";
    QTest::newRow("second sidebar") << "y"
                                    << "gauche-y"
                                    << "-";
    QTest::newRow("absent") << "absent"
                            << "-"
                            << "-";
    QTest::newRow("empty name") << ""
                                << "-"
                                << "-";
}

void TestLookup::windowFindSearchesRootThenSidebars()
{
    QFETCH(QString, name);
    QFETCH(QString, found);
    QFETCH(QString, foundAsLineEdit);

    const Furnished window;
    QCOMPARE(shown(window.ui.find(name)), found);
    QCOMPARE(shown(window.ui.find<QLineEdit>(name)), foundAsLineEdit);
}

void TestLookup::sectionFindSearchesItselfThenItsChildren_data()
{
    QTest::addColumn<QString>("scope");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("found");

    QTest::newRow("row: its own") << "ligne"
                                  << "z"
                                  << "ligne-z";
    QTest::newRow("row: its column") << "ligne"
                                     << "w"
                                     << "colonne-w";
    QTest::newRow("row: not its parent") << "ligne"
                                         << "racine"
                                         << "-";
    QTest::newRow("row: not a sibling") << "ligne"
                                        << "courriel"
                                        << "-";
    QTest::newRow("tab page: its own") << "onglet Deux"
                                       << "mixte"
                                       << "champ ";
    QTest::newRow("sidebar: its own") << "barre gauche"
                                      << "x"
                                      << "gauche-x";
    QTest::newRow("sidebar: not the root") << "barre gauche"
                                           << "racine"
                                           << "-";
}

void TestLookup::sectionFindSearchesItselfThenItsChildren()
{
    QFETCH(QString, scope);
    QFETCH(QString, name);
    QFETCH(QString, found);

    Furnished window;
    QCOMPARE(shown(window.scope(scope).find(name)), found);
}

void TestLookup::findSkipsWidgetsQtDeleted()
{
    Furnished window;
    delete window.ui.find("w");
    QCOMPARE(shown(window.ui.find("w")), QStringLiteral("un-w"));
    delete window.ui.find("x");
    QCOMPARE(shown(window.ui.find("x")), QStringLiteral("gauche-x"));

    // The row's frame takes the row's sections with it: the search passes over them.
    delete layoutOf(*window.row)->parentWidget();
    QCOMPARE(window.ui.find("profond"), nullptr);
    QCOMPARE(shown(window.ui.find("z")), QStringLiteral("racine-z"));

    window.ui.clear();
    QCOMPARE(window.ui.find("courriel"), nullptr);
    QCOMPARE(shown(window.ui.find("y")), QStringLiteral("gauche-y"));
}

void TestLookup::tabWidgetIsReachableUntilDeleted()
{
    QCOMPARE(velmora::TabSections().widget(), nullptr);

    UIWrapper ui;
    const velmora::TabSections tabs = ui.add_tabs({"Général", "Réseau"}, {.name = "onglets"});
    QTabWidget* widget = tabs.widget();
    QVERIFY(widget);
    QCOMPARE(widget->objectName(), QStringLiteral("onglets"));
    QCOMPARE(widget->count(), 2);
    QCOMPARE(widget->tabText(1), QStringLiteral("Réseau"));
    QCOMPARE(velmora::TabSections(tabs).widget(), widget);

    ui.clear();
    QTRY_COMPARE(tabs.widget(), nullptr);
}

void TestLookup::rejectedCallChangesNothing_data()
{
    QTest::addColumn<Action>("call");
    QTest::addColumn<QString>("type");

    QTest::newRow("null widget") << Action([](UIWrapper& ui) {
        ui.add_widget(nullptr, {.stretch = 2, .name = "ok"});
    }) << "invalid_argument";
    QTest::newRow("null widget, sidebar")
        << Action([](UIWrapper& ui) { ui.sidebar("left").add_widget(nullptr, {.name = "ok"}); })
        << "invalid_argument";
    QTest::newRow("widget holding the section")
        << Action([](UIWrapper& ui) { ui.add_widget(ui.window->centralWidget(), {.name = "ok"}); })
        << "invalid_argument";
    QTest::newRow("window into its own sidebar") << Action([](UIWrapper& ui) {
        ui.sidebar("left").add_widget(ui.window, {.stretch = 1, .name = "ok"});
    }) << "invalid_argument";
}

void TestLookup::rejectedCallChangesNothing()
{
    QFETCH(Action, call);
    QFETCH(QString, type);
    fixture::checkRejectedCallChangesNothing(call, type);
}

QTEST_MAIN(TestLookup)
#include "tst_lookup.moc"
