// SPDX-License-Identifier: MIT
#include "layout_probe.h"
#include "window_fixture.h"

#include <velmora/velmora.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using velmora::UIWrapper;

// The registry behind get(): what a section remembers by name, and when it forgets.
using velmora::Section;
using namespace fixture;

class TestNamedWidgets : public QObject
{
    Q_OBJECT

private slots:
    void eachNameFindsItsOwnWidget();
    void reusedNameFindsTheLatestWidget();
    void unknownOrEmptyNameFindsNothing();
    void deletedWidgetIsNoLongerFound();
    void clearForgetsEveryName();
    void namesStayInTheirSection();

    // Careless and hostile input, and objects outliving or outlived by others.
    void namesAreKeptWhole_data();
    void namesAreKeptWhole();
    void registeredWidgetDeletedByTheApplication_data();
    void registeredWidgetDeletedByTheApplication();
};

void TestNamedWidgets::eachNameFindsItsOwnWidget()
{
    UIWrapper ui;
    ui.add_label("Nom", {.name = "etiquette"})
        .add_button("OK", [] {}, {.name = "valider"})
        .add_input({.name = "saisie"})
        .add_checkbox("Actif", {.name = "case"});
    QCOMPARE(qobject_cast<QLabel*>(ui.get("etiquette"))->text(), QStringLiteral("Nom"));
    QCOMPARE(qobject_cast<QPushButton*>(ui.get("valider"))->text(), QStringLiteral("OK"));
    QVERIFY(qobject_cast<QLineEdit*>(ui.get("saisie")));
    QCOMPARE(qobject_cast<QCheckBox*>(ui.get("case"))->text(), QStringLiteral("Actif"));
    QCOMPARE(ui.get("valider")->objectName(), QStringLiteral("valider"));
}

void TestNamedWidgets::reusedNameFindsTheLatestWidget()
{
    UIWrapper ui;
    ui.add_label("Premier", {.name = "titre"}).add_label("Second", {.name = "titre"});
    QCOMPARE(qobject_cast<QLabel*>(ui.get("titre"))->text(), QStringLiteral("Second"));
}

void TestNamedWidgets::unknownOrEmptyNameFindsNothing()
{
    UIWrapper ui;
    ui.add_label("Sans nom").add_label("Nommé", {.name = "nomme"});
    QCOMPARE(ui.get("absent"), nullptr);
    QCOMPARE(ui.get(""), nullptr);
}

void TestNamedWidgets::deletedWidgetIsNoLongerFound()
{
    UIWrapper ui;
    ui.add_label("Éphémère", {.name = "temp"});
    delete ui.get("temp");
    QCOMPARE(ui.get("temp"), nullptr);
}

void TestNamedWidgets::clearForgetsEveryName()
{
    UIWrapper ui;
    ui.add_label("Un", {.name = "un"}).add_label("Deux", {.name = "deux"});
    ui.clear();
    QCOMPARE(ui.get("un"), nullptr);
    QCOMPARE(ui.get("deux"), nullptr);
    ui.add_label("Trois", {.name = "un"});
    QCOMPARE(qobject_cast<QLabel*>(ui.get("un"))->text(), QStringLiteral("Trois"));
}

void TestNamedWidgets::namesStayInTheirSection()
{
    UIWrapper ui;
    velmora::Section& row = ui.add_row();
    row.add_label("Dans la ligne", {.name = "interne"});
    QVERIFY(row.get("interne"));
    QCOMPARE(ui.get("interne"), nullptr);
}

void TestNamedWidgets::namesAreKeptWhole_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("lookalike");

    QTest::newRow("spaces") << "nom avec espaces"
                            << "nom";
    QTest::newRow("braces") << "{bloc}"
                            << "bloc";
    QTest::newRow("comment end") << "*/ QWidget { color: red; } /*"
                                 << "*/";
    QTest::newRow("selector characters") << "#content > QLabel"
                                         << "content";
    QTest::newRow("NUL inside") << withNul() << "a";
    QTest::newRow("right-to-left") << "שם"
                                   << "ם";
    QTest::newRow("astral") << "😀"
                            << "\xf0";
    QTest::newRow("one megabyte") << megabyteText() << megabyteText().left(1000);
}

void TestNamedWidgets::namesAreKeptWhole()
{
    QFETCH(QString, name);
    QFETCH(QString, lookalike);

    UIWrapper ui;
    ui.add_label("l", {.name = name});
    Section& row = ui.add_row({.name = name});
    row.add_input({.name = name})
        .add_dropdown({"x"}, {.name = name})
        .add_checkbox("c", {.name = name})
        .add_button("b", [] {}, {.name = name});
    (void)ui.add_tabs({"t"}, {.name = name});
    Section& bar = ui.sidebar("down");
    bar.add_label("s", {.name = name});

    QCOMPARE(ui.get(name), widgetAt<QLabel>(ui.end(), 0));
    QCOMPARE(ui.get(name)->objectName(), name);
    QCOMPARE(row.get(name), widgetAt<QPushButton>(row, 3));
    for (int i = 0; i < 4; ++i)
        QCOMPARE(layoutOf(row)->itemAt(i)->widget()->objectName(), name);
    QCOMPARE(widgetAt<QFrame>(ui.end(), 1)->objectName(), name);
    QCOMPARE(widgetAt<QTabWidget>(ui.end(), 2)->objectName(), name);
    QCOMPARE(bar.get(name), widgetAt<QLabel>(bar, 0));
    QCOMPARE(ui.get(lookalike), nullptr);
    QCOMPARE(row.get(lookalike), nullptr);
}

void TestNamedWidgets::registeredWidgetDeletedByTheApplication_data()
{
    QTest::addColumn<QString>("where");
    QTest::addColumn<bool>("later");

    for (const char* where : {"root", "sidebar", "row"}) {
        QTest::addRow("%s, deleted at once", where) << where << false;
        QTest::addRow("%s, deleted later", where) << where << true;
    }
}

void TestNamedWidgets::registeredWidgetDeletedByTheApplication()
{
    QFETCH(QString, where);
    QFETCH(bool, later);

    UIWrapper ui;
    Section& section = where == QLatin1StringView("root")      ? ui.end()
                       : where == QLatin1StringView("sidebar") ? ui.sidebar("down")
                                                               : ui.add_row();
    section.add_input({.name = "champ"}).add_label("reste", {.name = "reste"});
    QWidget* input = section.get("champ");
    if (later) {
        input->deleteLater();
        QVERIFY(section.get("champ"));
        turnTheEventLoop();
    } else {
        delete input;
    }
    QCOMPARE(section.get("champ"), nullptr);
    QVERIFY(section.get("reste"));
    QCOMPARE(itemsOf(section), QStringList({"QLabel:0"}));

    section.add_checkbox("nouveau", {.name = "champ"});
    QCOMPARE(section.get("champ"), widgetAt<QCheckBox>(section, 1));
    section.clear();
    turnTheEventLoop();
    QCOMPARE(section.get("champ"), nullptr);
}

QTEST_MAIN(TestNamedWidgets)
#include "tst_named_widgets.moc"
