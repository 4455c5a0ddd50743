// SPDX-License-Identifier: MIT
#include "banner_probe.h"
#include "layout_probe.h"
#include "message_log.h"
#include "window_fixture.h"

#include <velmora/velmora.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <cerrno>
#include <climits>
#include <filesystem>
#include <stdexcept>

using velmora::Section;
using velmora::UIWrapper;
using namespace fixture;

namespace {

void clickCheckBox(QCheckBox* box)
{
    QStyleOptionButton option;
    option.initFrom(box);
    const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    QTest::mouseClick(box, Qt::LeftButton, {}, indicator.center());
}

} // namespace

class TestWidgets : public QObject
{
    Q_OBJECT

private slots:
    void widgetsAreBuiltFromTheirArguments();
    void setUpDoesNotReachCallbacks();
    void inputReportsWholeTextAtEachKeystroke();
    void dropdownReportsTheEntryChosen();
    void checkboxReportsItsNewState();
    void buttonReportsEachClick();
    void inputWithoutArgumentsIsEmpty();
    void emptyDropdownStillConnectsItsCallback();

    void buttonGapAddsSpacingWithoutStretchEntry_data();
    void buttonGapAddsSpacingWithoutStretchEntry();
    void buttonWithoutCallbackIsRejectedBeforeAnythingIsAdded();

    void wrapperAddsToContentColumn();

    void throwingCallbackIsReportedAndTheAppCarriesOn_data();
    void throwingCallbackIsReportedAndTheAppCarriesOn();

    // Careless and hostile input.
    void rejectedCallChangesNothing_data();
    void rejectedCallChangesNothing();
    void textsAreKeptWhole_data();
    void textsAreKeptWhole();
    void throwingCallbackOfAnApplicationChangeIsReportedOnce_data();
    void throwingCallbackOfAnApplicationChangeIsReportedOnce();
    void throwingSubmitOrActivateCallbackIsReportedOnce_data();
    void throwingSubmitOrActivateCallbackIsReportedOnce();
    void libraryErrorInsideACallbackReachesTheCallbacksOwnHandler();
};

void TestWidgets::widgetsAreBuiltFromTheirArguments()
{
    Host host;
    Section section(host.layout, {.stretches = {1, 2, 3, 4, 5}});
    Section& result = section.add_label("Nom", {.name = "l"})
                          .add_button("Valider", [] {}, {.name = "b"})
                          .add_input({.placeholder = "Votre nom", .name = "i"})
                          .add_dropdown({"Un", "Deux"}, {.name = "d"})
                          .add_checkbox("Actif", {.checked = true, .name = "c"});
    QCOMPARE(&result, &section);
    QCOMPARE(itemsOf(section),
             QStringList({"QLabel:1", "QPushButton:2", "QLineEdit:3", "QComboBox:4", "QCheckBox:5"}));

    QCOMPARE(qobject_cast<QLabel*>(section.get("l"))->text(), QStringLiteral("Nom"));
    QCOMPARE(qobject_cast<QPushButton*>(section.get("b"))->text(), QStringLiteral("Valider"));
    auto* input = qobject_cast<QLineEdit*>(section.get("i"));
    QCOMPARE(input->placeholderText(), QStringLiteral("Votre nom"));
    QCOMPARE(input->text(), QString());
    auto* combo = qobject_cast<QComboBox*>(section.get("d"));
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->itemText(1), QStringLiteral("Deux"));
    QCOMPARE(combo->currentText(), QStringLiteral("Un"));
    auto* box = qobject_cast<QCheckBox*>(section.get("c"));
    QCOMPARE(box->text(), QStringLiteral("Actif"));
    QVERIFY(box->isChecked());
}

void TestWidgets::setUpDoesNotReachCallbacks()
{
    Host host;
    Section section(host.layout);
    int calls = 0;
    section.add_input({.placeholder = "x", .callback = [&](const QString&) { ++calls; }})
        .add_dropdown({"Un", "Deux"}, {.callback = [&](const QString&) { ++calls; }})
        .add_checkbox("Actif", {.callback = [&](bool) { ++calls; }, .checked = true});
    QCOMPARE(calls, 0);
}

void TestWidgets::inputReportsWholeTextAtEachKeystroke()
{
    Host host;
    Section section(host.layout);
    QStringList texts;
    section.add_input({.callback = [&](const QString& text) { texts << text; }});
    QTest::keyClicks(widgetAt<QLineEdit>(section, 0), "abc");
    QCOMPARE(texts, QStringList({"a", "ab", "abc"}));
}

void TestWidgets::dropdownReportsTheEntryChosen()
{
    Host host;
    Section section(host.layout);
    QStringList chosen;
    section.add_dropdown({"Un", "Deux", "Trois"}, {.callback = [&](const QString& text) { chosen << text; }});
    auto* combo = widgetAt<QComboBox>(section, 0);

    combo->setCurrentIndex(2);
    QTest::keyClick(combo, Qt::Key_Up);
    QCOMPARE(chosen, QStringList({"Trois", "Deux"}));
}

void TestWidgets::checkboxReportsItsNewState()
{
    Host host;
    Section section(host.layout);
    QList<bool> states;
    section.add_checkbox(
        "Actif", {.callback = [&](bool checked) { states << checked; }, .checked = true, .name = "actif"});
    clickCheckBox(widgetAt<QCheckBox>(section, 0));
    QCOMPARE(states, QList<bool>({false}));
    qobject_cast<QCheckBox*>(section.get("actif"))->setChecked(true);
    QCOMPARE(states, QList<bool>({false, true}));
}

void TestWidgets::buttonReportsEachClick()
{
    Host host;
    Section section(host.layout);
    int clicks = 0;
    section.add_button("OK", [&] { ++clicks; });
    auto* button = widgetAt<QPushButton>(section, 0);
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(clicks, 2);
}

void TestWidgets::inputWithoutArgumentsIsEmpty()
{
    Host host;
    Section section(host.layout, {.stretches = {6}});
    QCOMPARE(&section.add_input(), &section);
    auto* input = widgetAt<QLineEdit>(section, 0);
    QVERIFY(input);
    QCOMPARE(input->text(), QString());
    QCOMPARE(input->placeholderText(), QString());
    QCOMPARE(input->objectName(), QString());
    QCOMPARE(itemsOf(section), QStringList({"QLineEdit:6"}));
}

void TestWidgets::emptyDropdownStillConnectsItsCallback()
{
    Host host;
    Section section(host.layout);
    QStringList chosen;
    section.add_dropdown({}, {.callback = [&](const QString& text) { chosen << text; }});
    auto* combo = widgetAt<QComboBox>(section, 0);
    QCOMPARE(combo->count(), 0);
    QCOMPARE(combo->currentIndex(), -1);

    combo->addItem("Plus tard");
    QCOMPARE(chosen, QStringList({"Plus tard"}));
}

void TestWidgets::buttonGapAddsSpacingWithoutStretchEntry_data()
{
    QTest::addColumn<int>("gap");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("no gap") << 0 << QStringList{"QPushButton:2", "QLabel:3"};
    QTest::newRow("negative gap") << -4 << QStringList{"QPushButton:2", "QLabel:3"};
    QTest::newRow("12 px") << 12 << QStringList{"QPushButton:2", "spacing:12", "QLabel:3"};
}

void TestWidgets::buttonGapAddsSpacingWithoutStretchEntry()
{
    QFETCH(int, gap);
    QFETCH(QStringList, expected);

    Host host;
    Section section(host.layout, {.stretches = {2, 3}});
    section.add_button("OK", [] {}, {.gap = gap}).add_label("après");
    QCOMPARE(itemsOf(section), expected);
}

void TestWidgets::buttonWithoutCallbackIsRejectedBeforeAnythingIsAdded()
{
    Host host;
    Section section(host.layout, {.stretches = {2}});
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, section.add_button("OK", {}, {.gap = 8, .name = "ok"}));
    QCOMPARE(host.layout->count(), 0);
    QCOMPARE(section.get("ok"), nullptr);
    QCOMPARE(host.widget.findChildren<QPushButton*>().size(), 0);
    section.add_label("a");
    QCOMPARE(itemsOf(section), QStringList({"QLabel:2"}));
}

void TestWidgets::wrapperAddsToContentColumn()
{
    velmora::UIWrapper ui;
    QStringList events;
    Section& result = ui.add_input({.callback = [&](const QString& text) { events << text; }})
                          .add_dropdown({"Un"}, {.name = "liste"});
    Section& second = ui.add_checkbox("Actif", {.callback = [&](bool) { events << "coché"; }});
    QCOMPARE(&result, &ui.end());
    QCOMPARE(&second, &ui.end());

    auto* content = ui.window->findChild<QWidget*>("content");
    auto* layout = qobject_cast<QBoxLayout*>(content->layout());
    QCOMPARE(itemsOf(layout), QStringList({"QLineEdit:0", "QComboBox:0", "QCheckBox:0"}));
    QCOMPARE(ui.get("liste"), layout->itemAt(1)->widget());

    QTest::keyClicks(qobject_cast<QLineEdit*>(layout->itemAt(0)->widget()), "o");
    qobject_cast<QCheckBox*>(layout->itemAt(2)->widget())->toggle();
    QCOMPARE(events, QStringList({"o", "coché"}));
}

void TestWidgets::throwingCallbackIsReportedAndTheAppCarriesOn_data()
{
    QTest::addColumn<QString>("widget");
    QTest::addColumn<bool>("standardException");
    QTest::addColumn<QString>("message");

    QTest::newRow("button") << "button" << true
                            << "velmora : le callback de add_button a levé une exception : boum";
    QTest::newRow("input") << "input" << true
                           << "velmora : le callback de add_input a levé une exception : boum";
    QTest::newRow("dropdown") << "dropdown" << true
                              << "velmora : le callback de add_dropdown a levé une exception : boum";
    QTest::newRow("checkbox") << "checkbox" << true
                              << "velmora : le callback de add_checkbox a levé une exception : boum";
    QTest::newRow("not a std::exception")
        << "button" << false << "velmora : le callback de add_button a levé une exception inconnue";
}

void TestWidgets::throwingCallbackIsReportedAndTheAppCarriesOn()
{
    QFETCH(QString, widget);
    QFETCH(bool, standardException);
    QFETCH(QString, message);

    Host host;
    Section section(host.layout);
    int calls = 0;
    const auto fail = [&] {
        ++calls;
        if (standardException)
            throw std::runtime_error("boum");
        throw 42;
    };
    if (widget == "button")
        section.add_button("OK", fail);
    else if (widget == "input")
        section.add_input({.callback = [&](const QString&) { fail(); }});
    else if (widget == "dropdown")
        section.add_dropdown({"Un", "Deux", "Trois"}, {.callback = [&](const QString&) { fail(); }});
    else
        section.add_checkbox("Actif", {.callback = [&](bool) { fail(); }});
    int okClicks = 0;
    section.add_button("Autre", [&] { ++okClicks; });

    QWidget* target = layoutOf(section)->itemAt(0)->widget();
    const auto trigger = [&] {
        QTest::ignoreMessage(QtCriticalMsg,
                             QRegularExpression('^' + QRegularExpression::escape(message) + '$'));
        if (auto* button = qobject_cast<QPushButton*>(target))
            QTest::mouseClick(button, Qt::LeftButton);
        else if (auto* input = qobject_cast<QLineEdit*>(target))
            QTest::keyClick(input, Qt::Key_A);
        else if (auto* combo = qobject_cast<QComboBox*>(target))
            combo->setCurrentIndex(combo->currentIndex() + 1);
        else
            qobject_cast<QCheckBox*>(target)->toggle();
    };
    trigger();
    trigger();
    QCOMPARE(calls, 2);

    QTest::mouseClick(widgetAt<QPushButton>(section, 1), Qt::LeftButton);
    QCOMPARE(okClicks, 1);
}

void TestWidgets::rejectedCallChangesNothing_data()
{
    QTest::addColumn<Action>("call");
    QTest::addColumn<QString>("type");

    QTest::newRow("button without callback")
        << Action([](UIWrapper& ui) { ui.add_button("OK", {}, {.stretch = 3, .gap = 12, .name = "ok"}); })
        << "invalid_argument";
    QTest::newRow("button without callback, sidebar")
        << Action([](UIWrapper& ui) { ui.sidebar("left").add_button("OK", {}, {.gap = 5, .name = "ok"}); })
        << "invalid_argument";
    QTest::newRow("drop-down current before the first entry") << Action([](UIWrapper& ui) {
        ui.add_dropdown({"un", "deux"}, {.callback = [](const QString&) {}, .name = "ok", .current = -1});
    }) << "out_of_range";
    QTest::newRow("drop-down current past the last entry") << Action([](UIWrapper& ui) {
        ui.add_dropdown({"un", "deux"}, {.name = "ok", .current = 2, .enabled = false});
    }) << "out_of_range";
    QTest::newRow("drop-down current without entries")
        << Action([](UIWrapper& ui) { ui.sidebar("left").add_dropdown({}, {.name = "ok", .current = 0}); })
        << "out_of_range";
    QTest::newRow("drop-down current at INT_MAX")
        << Action([](UIWrapper& ui) { ui.add_dropdown({"un"}, {.current = INT_MAX}); }) << "out_of_range";
}

void TestWidgets::rejectedCallChangesNothing()
{
    QFETCH(Action, call);
    QFETCH(QString, type);
    checkRejectedCallChangesNothing(call, type);
}

void TestWidgets::textsAreKeptWhole_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << QString();
    QTest::newRow("one megabyte") << megabyteText();
    QTest::newRow("NUL inside") << withNul();
    QTest::newRow("right-to-left") << "שלום עולם";
    QTest::newRow("mixed directions and a line break") << "abc \u202bאבג\u202c\n123";
    QTest::newRow("astral") << "𝄞 😀 𝔸";
    QTest::newRow("mnemonic and markup") << "&Fichier <b>gras</b> %1";
}

void TestWidgets::textsAreKeptWhole()
{
    QFETCH(QString, text);

    UIWrapper ui(text);
    ui.add_label(text)
        .add_button(text, [] {})
        .add_input({.placeholder = text})
        .add_dropdown({text, text})
        .add_checkbox(text);
    QTableWidget* table = ui.add_table({text});
    ui.add_table_row(table, {text, text});
    const velmora::TabSections tabs = ui.add_tabs({text, text});
    ui.set_style(text);
    ui.notify(text, {.kind = text, .duration = 60000});

    const Section& root = ui.end();
    QCOMPARE(ui.window->windowTitle(), text);
    QCOMPARE(widgetAt<QLabel>(root, 0)->text(), text);
    QCOMPARE(widgetAt<QPushButton>(root, 1)->text(), text);
    QCOMPARE(widgetAt<QLineEdit>(root, 2)->placeholderText(), text);
    QCOMPARE(widgetAt<QComboBox>(root, 3)->itemText(1), text);
    QCOMPARE(widgetAt<QCheckBox>(root, 4)->text(), text);
    QCOMPARE(table->horizontalHeaderItem(0)->text(), text);
    QCOMPARE(table->rowCount(), 1);
    QCOMPARE(table->item(0, 0)->text(), text);
    QCOMPARE(tabs.keys(), QStringList{text});
    QCOMPARE(widgetAt<QTabWidget>(root, 6)->count(), 2);
    QCOMPARE(widgetAt<QTabWidget>(root, 6)->tabText(1), text);
    QCOMPARE(ui.window->findChild<QWidget*>("content")->styleSheet(), text);
    QCOMPARE(bannersOf(ui).size(), 1);
    QCOMPARE(bannersOf(ui).constFirst()->text(), text);
}

void TestWidgets::throwingCallbackOfAnApplicationChangeIsReportedOnce_data()
{
    QTest::addColumn<QString>("widget");
    QTest::addColumn<bool>("standard");
    QTest::addColumn<QString>("report");

    const QString prefix = QStringLiteral("velmora : le callback de ");
    for (const char* widget : {"add_checkbox", "add_dropdown", "add_input"}) {
        QTest::addRow("%s, std::runtime_error", widget)
            << widget << true << prefix + widget + " a levé une exception : refusé";
        QTest::addRow("%s, int", widget)
            << widget << false << prefix + widget + " a levé une exception inconnue";
    }
}

void TestWidgets::throwingCallbackOfAnApplicationChangeIsReportedOnce()
{
    QFETCH(QString, widget);
    QFETCH(bool, standard);
    QFETCH(QString, report);

    const CriticalLog log;
    UIWrapper ui;
    QStringList seen;
    const auto refuse = [&](const QString& value) {
        seen << value;
        if (standard)
            throw std::runtime_error("refusé");
        throw 42;
    };
    ui.add_checkbox("c", {.callback = [&](bool checked) { refuse(checked ? "oui" : "non"); }, .name = "c"})
        .add_dropdown({"un", "deux", "trois"}, {.callback = refuse, .name = "d"})
        .add_input({.callback = refuse, .name = "i"});

    if (widget == QLatin1StringView("add_checkbox")) {
        auto* box = qobject_cast<QCheckBox*>(ui.get("c"));
        box->setChecked(true);
        box->setChecked(false);
        QVERIFY(!box->isChecked());
        QCOMPARE(seen, QStringList({"oui", "non"}));
    } else if (widget == QLatin1StringView("add_dropdown")) {
        auto* combo = qobject_cast<QComboBox*>(ui.get("d"));
        combo->setCurrentIndex(2);
        combo->setCurrentText("deux");
        QCOMPARE(combo->currentIndex(), 1);
        QCOMPARE(seen, QStringList({"trois", "deux"}));
    } else {
        auto* input = qobject_cast<QLineEdit*>(ui.get("i"));
        input->setText("abc");
        input->setText(QString());
        QCOMPARE(input->text(), QString());
        QCOMPARE(seen, QStringList({"abc", ""}));
    }
    QCOMPARE(log.criticals(), QStringList({report, report}));
}

void TestWidgets::throwingSubmitOrActivateCallbackIsReportedOnce_data()
{
    QTest::addColumn<bool>("table");
    QTest::addColumn<bool>("standard");
    QTest::addColumn<QString>("report");

    QTest::newRow("on_submit, std::runtime_error")
        << false << true << "velmora : le callback de add_input a levé une exception : refusé";
    QTest::newRow("on_submit, int") << false << false
                                    << "velmora : le callback de add_input a levé une exception inconnue";
    QTest::newRow("on_activate, std::runtime_error")
        << true << true << "velmora : le callback de add_table a levé une exception : refusé";
    QTest::newRow("on_activate, int")
        << true << false << "velmora : le callback de add_table a levé une exception inconnue";
}

void TestWidgets::throwingSubmitOrActivateCallbackIsReportedOnce()
{
    QFETCH(bool, table);
    QFETCH(bool, standard);
    QFETCH(QString, report);

    const CriticalLog log;
    UIWrapper ui;
    QStringList seen;
    const auto refuse = [&](const QString& value) {
        seen << value;
        if (standard)
            throw std::runtime_error("refusé");
        throw 42;
    };
    ui.add_input({.name = "i", .text = "saisi", .on_submit = refuse});
    QTableWidget* rows = ui.add_table({"A"}, {.on_activate = [&](int row) { refuse(QString::number(row)); }});
    ui.add_table_rows(rows, {{"un"}, {"deux"}});
    ui.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(ui.window));

    QWidget* target = table ? static_cast<QWidget*>(rows) : ui.get("i");
    target->setFocus();
    rows->setCurrentCell(1, 0);
    QTest::keyClick(target, Qt::Key_Return);
    QTest::keyClick(target, Qt::Key_Enter);
    QCOMPARE(seen, table ? QStringList({"1", "1"}) : QStringList({"saisi", "saisi"}));
    QCOMPARE(log.criticals(), QStringList({report, report}));
}

void TestWidgets::libraryErrorInsideACallbackReachesTheCallbacksOwnHandler()
{
    const CriticalLog log;
    UIWrapper ui;
    QStringList caught;
    ui.add_button("gère", [&] {
          try {
              ui.sidebar("milieu");
          } catch (const velmora::ValueError& error) {
              caught << QString::fromUtf8(error.what());
          }
          try {
              ui.load_style("/nonexistent/velmora.qss");
          } catch (const std::filesystem::filesystem_error& error) {
              caught << QString::number(error.code().value());
          }
      }).add_button("laisse passer", [&] { ui.sidebar("milieu"); });

    QTest::mouseClick(widgetAt<QPushButton>(ui.end(), 0), Qt::LeftButton);
    QCOMPARE(caught, QStringList({"Sidebar inconnue : 'milieu" + validSides(), QString::number(ENOENT)}));
    QCOMPARE(log.criticals(), QStringList());

    QTest::mouseClick(widgetAt<QPushButton>(ui.end(), 1), Qt::LeftButton);
    QCOMPARE(log.criticals(), QStringList{"velmora : le callback de add_button a levé une exception : "
                                          "Sidebar inconnue : 'milieu" +
                                          validSides()});
}

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
