// SPDX-License-Identifier: MIT
#include "window_fixture.h"

#include <velmora/velmora.h>

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <functional>

using velmora::Section;
using velmora::UIWrapper;
using namespace fixture;

namespace {

/// Builds one widget in `ui` and returns it.
using Build = std::function<QWidget*(UIWrapper&)>;

// What the appended options can change on a widget, in one line.
QString settingsOf(const QWidget* widget)
{
    if (const auto* table = qobject_cast<const QTableWidget*>(widget)) {
        QStringList widths;
        for (int column = 0; column < table->columnCount(); ++column)
            widths << QString::number(table->columnWidth(column));
        return QStringLiteral("edit %1 behaviour %2 mode %3 widths %4 stretch %5")
            .arg(int(table->editTriggers()))
            .arg(int(table->selectionBehavior()))
            .arg(int(table->selectionMode()))
            .arg(widths.join(u','))
            .arg(table->horizontalHeader()->stretchLastSection());
    }
    if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
        return QStringLiteral("checkable %1 checked %2 shortcut %3")
            .arg(button->isCheckable())
            .arg(button->isChecked())
            .arg(button->shortcut().toString());
    }
    if (const auto* input = qobject_cast<const QLineEdit*>(widget))
        return QStringLiteral("align %1").arg(int(input->alignment()));
    if (const auto* tabs = qobject_cast<const QTabWidget*>(widget))
        return QStringLiteral("tab bar %1").arg(tabs->tabBar()->isVisible());
    return QStringLiteral("min width %1").arg(widget->minimumWidth());
}

} // namespace

Q_DECLARE_METATYPE(Build)

class TestWidgetOptions : public QObject
{
    Q_OBJECT

private slots:
    void optionsReachTheWidget_data();
    void optionsReachTheWidget();
    void groupedButtonsAreExclusiveWithinTheirSection_data();
    void groupedButtonsAreExclusiveWithinTheirSection();
    void buttonShortcutClicksIt();

    // Careless and hostile input.
    void rejectedCallChangesNothing_data();
    void rejectedCallChangesNothing();
};

void TestWidgetOptions::optionsReachTheWidget_data()
{
    QTest::addColumn<Build>("build");
    QTest::addColumn<Build>("byHand"); // what Qt gives with nothing set; null when `expected` says it
    QTest::addColumn<QString>("expected");

    QTest::newRow("label, defaults")
        << Build([](UIWrapper& ui) { ui.add_label("Nom", {.name = "w"}); return ui.find("w"); })
        << Build([](UIWrapper&) { return new QLabel("Nom"); }) << "";
    QTest::newRow("label, width")
        << Build([](UIWrapper& ui) { ui.add_label("Nom", {.name = "w", .width = 120}); return ui.find("w"); })
        << Build() << "min width 120";
    QTest::newRow("label, negative width")
        << Build([](UIWrapper& ui) { ui.add_label("Nom", {.name = "w", .width = -5}); return ui.find("w"); })
        << Build() << "min width 0";
    QTest::newRow("button, defaults")
        << Build([](UIWrapper& ui) { ui.add_button("ok", [] {}, {.name = "w"}); return ui.find("w"); })
        << Build([](UIWrapper&) { return new QPushButton("ok"); }) << "";
    QTest::newRow("button, checkable and checked with a shortcut")
        << Build([](UIWrapper& ui) {
               ui.add_button("ok", [] {},
                             {.name = "w", .shortcut = QKeySequence("Ctrl+K"), .checkable = true, .checked = true});
               return ui.find("w");
           })
        << Build() << "checkable 1 checked 1 shortcut Ctrl+K";
    QTest::newRow("input, defaults")
        << Build([](UIWrapper& ui) { ui.add_input({.name = "w"}); return ui.find("w"); })
        << Build([](UIWrapper&) { return new QLineEdit; }) << "";
    QTest::newRow("input, right")
        << Build([](UIWrapper& ui) { ui.add_input({.name = "w", .align = "right"}); return ui.find("w"); })
        << Build() << "align 130";
    QTest::newRow("input, center")
        << Build([](UIWrapper& ui) { ui.add_input({.name = "w", .align = "center"}); return ui.find("w"); })
        << Build() << "align 132";
    QTest::newRow("input, left")
        << Build([](UIWrapper& ui) { ui.add_input({.name = "w", .align = "left"}); return ui.find("w"); })
        << Build() << "align 129";
    QTest::newRow("tabs, defaults")
        << Build([](UIWrapper& ui) { return ui.add_tabs({"A"}).widget(); })
        << Build([](UIWrapper&) {
               auto* tabs = new QTabWidget;
               tabs->addTab(new QWidget, "A");
               return tabs;
           })
        << "";
    QTest::newRow("tabs, no tab bar")
        << Build([](UIWrapper& ui) { return ui.add_tabs({"A", "B"}, {.tab_bar = false}).widget(); }) << Build()
        << "tab bar 0";
    QTest::newRow("table, defaults")
        << Build([](UIWrapper& ui) { return ui.add_table({"A", "B"}); })
        << Build([](UIWrapper&) {
               auto* table = new QTableWidget(0, 2);
               table->setHorizontalHeaderLabels({"A", "B"});
               return table;
           })
        << "";
    QTest::newRow("table, read-only single rows, widths, stretched")
        << Build([](UIWrapper& ui) {
               return ui.add_table({"A", "B", "C"}, {.read_only = true, .select = "rows", .single = true,
                                                     .widths = {40, 60, 70, 80}, .stretch_last = true});
           })
        << Build() << "edit 0 behaviour 1 mode 1 widths 40,60,%1 stretch 1";
    QTest::newRow("table, single cells")
        << Build([](UIWrapper& ui) { return ui.add_table({"A"}, {.select = "cells", .single = true}); })
        << Build() << "edit 26 behaviour 0 mode 1 widths 100 stretch 0";
    QTest::newRow("table, no selection, single ignored")
        << Build([](UIWrapper& ui) { return ui.add_table({"A"}, {.select = "none", .single = true}); })
        << Build() << "edit 26 behaviour 0 mode 0 widths 100 stretch 0";
}

void TestWidgetOptions::optionsReachTheWidget()
{
    QFETCH(Build, build);
    QFETCH(Build, byHand);
    QFETCH(QString, expected);

    UIWrapper ui;
    QWidget* widget = build(ui);
    QVERIFY(widget);
    QWidget* reference = byHand ? byHand(ui) : nullptr;
    if (reference)
        ui.add_widget(reference);
    ui.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(ui.window));
    if (reference) {
        // Given nothing new, a widget is exactly what Qt makes: code written before is unchanged.
        QCOMPARE(settingsOf(widget), settingsOf(reference));
        return;
    }
    // A stretched last column takes whatever width the window leaves it.
    if (const auto* table = qobject_cast<QTableWidget*>(widget); table && expected.contains("%1"))
        expected = expected.arg(table->columnWidth(2));
    QCOMPARE(settingsOf(widget), expected);
}

void TestWidgetOptions::groupedButtonsAreExclusiveWithinTheirSection_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("checked"); // a, b, c in the column; x in the row; y ungrouped
    QTest::addColumn<int>("callbacks");

    QTest::newRow("later checked one wins") << QStringList{} << "c" << 0;
    QTest::newRow("a click moves the choice") << QStringList{"a"} << "a" << 1;
    QTest::newRow("clicking the checked one keeps it") << QStringList{"c", "c"} << "c" << 2;
    QTest::newRow("another section's group is its own") << QStringList{"x", "b"} << "bx" << 2;
    QTest::newRow("ungrouped button toggles alone") << QStringList{"y", "a", "y"} << "a" << 3;
}

void TestWidgetOptions::groupedButtonsAreExclusiveWithinTheirSection()
{
    QFETCH(QStringList, clicks);
    QFETCH(QString, checked);
    QFETCH(int, callbacks);

    UIWrapper ui;
    int calls = 0;
    const auto count = [&] { ++calls; };
    Section& column = ui.add_column();
    column.add_button("A", count, {.name = "a", .checkable = true, .group = "vue"})
        .add_button("B", count, {.name = "b", .checkable = true, .checked = true, .group = "vue"})
        .add_button("C", count, {.name = "c", .checkable = true, .checked = true, .group = "vue"})
        .add_button("Y", count, {.name = "y", .checkable = true});
    ui.add_row().add_button("X", count, {.name = "x", .checkable = true, .group = "vue"});
    ui.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(ui.window));

    for (const QString& name : clicks)
        QTest::mouseClick(ui.find(name), Qt::LeftButton);
    QString state;
    for (const char* name : {"a", "b", "c", "x", "y"}) {
        if (ui.find<QPushButton>(name)->isChecked())
            state += QLatin1String(name);
    }
    QCOMPARE(state, checked);
    QCOMPARE(calls, callbacks);
}

void TestWidgetOptions::buttonShortcutClicksIt()
{
    UIWrapper ui;
    int clicks = 0;
    ui.add_button("Effacer", [] {}, {.name = "autre"})
        .add_button("Égal", [&] { ++clicks; }, {.shortcut = QKeySequence(Qt::Key_Equal)});
    ui.window->show();
    ui.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(ui.window));
    ui.find("autre")->setFocus();
    QTest::keyClick(ui.find("autre"), Qt::Key_Equal);
    QTRY_COMPARE(clicks, 1);
}

void TestWidgetOptions::rejectedCallChangesNothing_data()
{
    QTest::addColumn<Action>("call");
    QTest::addColumn<QString>("type");

    QTest::newRow("checked without checkable") << Action([](UIWrapper& ui) {
        ui.add_button("ok", [] {}, {.name = "ok", .checked = true});
    }) << "invalid_argument";
    QTest::newRow("alignment word in capitals") << Action([](UIWrapper& ui) {
        ui.sidebar("left").add_input({.name = "ok", .align = "Center"});
    }) << "invalid_argument";
    QTest::newRow("unknown alignment word")
        << Action([](UIWrapper& ui) { ui.add_input({.name = "ok", .align = "justify"}); }) << "invalid_argument";
    QTest::newRow("unknown selection word") << Action([](UIWrapper& ui) {
        (void)ui.add_table({"A"}, {.name = "ok", .select = "row"});
    }) << "invalid_argument";
}

void TestWidgetOptions::rejectedCallChangesNothing()
{
    QFETCH(Action, call);
    QFETCH(QString, type);
    checkRejectedCallChangesNothing(call, type);
}

QTEST_MAIN(TestWidgetOptions)
#include "tst_widget_options.moc"
