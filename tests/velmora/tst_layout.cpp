// SPDX-License-Identifier: MIT
#include "layout_probe.h"
#include "message_log.h"
#include "window_fixture.h"

#include <velmora/velmora.h>

#include <QFrame>
#include <QMainWindow>
#include <QTableWidget>
#include <QTest>

#include <climits>
#include <memory>

using velmora::Section;

Q_DECLARE_METATYPE(velmora::Margins)

using velmora::UIWrapper;
using namespace fixture;

class TestLayout : public QObject
{
    Q_OBJECT

private slots:
    void separatorCrossesTheLayout_data();
    void separatorCrossesTheLayout();
    void spacersAndSpacingsTakeNoStretchEntry();
    void spacingAppliesToTheWholeLayout();
    void marginsAreGivenClockwiseFromTop_data();
    void marginsAreGivenClockwiseFromTop();
    void styleGoesOnTheWidgetCarryingTheLayout();
    void styleWithoutCarrierWidgetDoesNothing();

    // Careless and hostile input.
    void extremeStretchesGapsAndSpacingsAreHandedOn_data();
    void extremeStretchesGapsAndSpacingsAreHandedOn();
};

void TestLayout::separatorCrossesTheLayout_data()
{
    QTest::addColumn<Qt::Orientation>("orientation");
    QTest::addColumn<QFrame::Shape>("shape");

    QTest::newRow("column") << Qt::Vertical << QFrame::HLine;
    QTest::newRow("row") << Qt::Horizontal << QFrame::VLine;
}

void TestLayout::separatorCrossesTheLayout()
{
    QFETCH(Qt::Orientation, orientation);
    QFETCH(QFrame::Shape, shape);

    Host host(orientation);
    Section section(host.layout, {.stretches = {2, 3}});
    QCOMPARE(&section.add_separator(), &section);
    section.add_separator(7).add_label("a");
    QCOMPARE(itemsOf(section), QStringList({"QFrame:2", "QFrame:7", "QLabel:3"}));

    auto* line = widgetAt<QFrame>(section, 0);
    QCOMPARE(line->frameShape(), shape);
    QCOMPARE(line->frameShadow(), QFrame::Sunken);
    QCOMPARE(line->objectName(), QString());
}

void TestLayout::spacersAndSpacingsTakeNoStretchEntry()
{
    Host host(Qt::Horizontal);
    Section section(host.layout, {.stretches = {2, 3}});
    section.add_spacer().add_label("a").add_spacer(0).add_spacing(8).add_spacer(4).add_label("b");
    QCOMPARE(itemsOf(section),
             QStringList({"stretch:1", "QLabel:2", "stretch:0", "spacing:8", "stretch:4", "QLabel:3"}));
}

void TestLayout::spacingAppliesToTheWholeLayout()
{
    Host host;
    Section section(host.layout);
    section.add_label("a");
    QCOMPARE(&section.set_spacing(7), &section);
    section.add_label("b");
    QCOMPARE(host.layout->spacing(), 7);
    QCOMPARE(host.layout->count(), 2);
}

void TestLayout::marginsAreGivenClockwiseFromTop_data()
{
    QTest::addColumn<velmora::Margins>("margins");
    QTest::addColumn<QMargins>("expected");

    QTest::newRow("none given") << velmora::Margins{} << QMargins(0, 0, 0, 0);
    QTest::newRow("top only") << velmora::Margins{10} << QMargins(0, 10, 0, 0);
    QTest::newRow("all four") << velmora::Margins{1, 2, 3, 4} << QMargins(4, 1, 2, 3);
    QTest::newRow("by name") << velmora::Margins{.left = 6} << QMargins(6, 0, 0, 0);
}

void TestLayout::marginsAreGivenClockwiseFromTop()
{
    QFETCH(velmora::Margins, margins);
    QFETCH(QMargins, expected);

    Host host;
    host.layout->setContentsMargins(9, 9, 9, 9);
    Section section(host.layout);
    QCOMPARE(&section.set_margins(margins), &section);
    QCOMPARE(host.layout->contentsMargins(), expected);
}

void TestLayout::styleGoesOnTheWidgetCarryingTheLayout()
{
    velmora::UIWrapper ui;
    auto* content = ui.window->findChild<QWidget*>("content");
    QCOMPARE(&ui.set_style("QLabel { color: red; }"), &ui.end());
    ui.set_style("QLabel { color: blue; }");
    QCOMPARE(content->styleSheet(), QStringLiteral("QLabel { color: blue; }"));
    QCOMPARE(ui.window->styleSheet(), QString());

    Section& row = ui.add_row();
    row.set_style("QFrame { margin: 2px; }");
    QCOMPARE(layoutOf(row)->parentWidget()->styleSheet(), QStringLiteral("QFrame { margin: 2px; }"));
    QCOMPARE(content->styleSheet(), QStringLiteral("QLabel { color: blue; }"));
}

void TestLayout::styleWithoutCarrierWidgetDoesNothing()
{
    const auto layout = std::make_unique<QVBoxLayout>();
    Section section(layout.get());
    QCOMPARE(&section.set_style("QLabel { color: red; }"), &section);
    QCOMPARE(layout->parentWidget(), nullptr);
}

void TestLayout::extremeStretchesGapsAndSpacingsAreHandedOn_data()
{
    QTest::addColumn<Action>("build");
    QTest::addColumn<QStringList>("items");

    QTest::newRow("INT_MAX, INT_MIN and -1 from the list") << Action([](UIWrapper& ui) {
        ui.add_column({.stretches = {INT_MAX, INT_MIN, -1}})
            .add_label("a")
            .add_separator()
            .add_checkbox("c")
            .add_label("d");
    }) << QStringList{"QLabel:2147483647", "QFrame:-2147483648", "QCheckBox:-1", "QLabel:0"};
    QTest::newRow("explicit extremes use no entry") << Action([](UIWrapper& ui) {
        ui.add_column({.stretches = {7}})
            .add_label("a", {.stretch = INT_MIN})
            .add_separator(INT_MAX)
            .add_label("b");
    }) << QStringList{"QLabel:-2147483648", "QFrame:2147483647", "QLabel:7"};
    QTest::newRow("gap INT_MAX") << Action([](UIWrapper& ui) {
        ui.add_column().add_button("b", [] {}, {.gap = INT_MAX}).add_label("a");
    }) << QStringList{"QPushButton:0", "spacing:2147483647", "QLabel:0"};
    QTest::newRow("gap INT_MIN adds nothing") << Action([](UIWrapper& ui) {
        ui.add_column().add_button("b", [] {}, {.gap = INT_MIN}).add_label("a");
    }) << QStringList{"QPushButton:0", "QLabel:0"};
    QTest::newRow("spacers of extreme factors") << Action([](UIWrapper& ui) {
        ui.add_column().add_spacer(INT_MIN).add_spacer(INT_MAX).add_spacer(-1).add_label("a");
    }) << QStringList{"stretch:-2147483648", "stretch:2147483647", "stretch:-1", "QLabel:0"};
    QTest::newRow("spacings of extreme sizes") << Action([](UIWrapper& ui) {
        ui.add_column().add_spacing(INT_MAX).add_spacing(-7).add_spacing(INT_MIN).add_label("a");
    }) << QStringList{"spacing:2147483647", "spacing:-7", "spacing:-2147483648", "QLabel:0"};
    QTest::newRow("spacing and margins INT_MAX") << Action([](UIWrapper& ui) {
        ui.add_column()
            .set_spacing(INT_MAX)
            .set_margins({INT_MAX, INT_MAX, INT_MAX, INT_MAX})
            .add_label("a")
            .add_label("b");
    }) << QStringList{"QLabel:0", "QLabel:0"};
    QTest::newRow("spacing and margins negative") << Action([](UIWrapper& ui) {
        ui.add_column()
            .set_spacing(INT_MIN)
            .set_margins({-1, INT_MIN, -30, -2})
            .add_label("a")
            .add_label("b");
    }) << QStringList{"QLabel:0", "QLabel:0"};
    QTest::newRow("tables with negative rows") << Action([](UIWrapper& ui) {
        Section& column = ui.add_column();
        (void)column.add_table({"A"}, {.rows = -1, .stretch = INT_MIN});
        (void)column.add_table({}, {.rows = INT_MIN});
    }) << QStringList{"QTableWidget:-2147483648", "QTableWidget:0"};
}

void TestLayout::extremeStretchesGapsAndSpacingsAreHandedOn()
{
    QFETCH(Action, build);
    QFETCH(QStringList, items);

    const CriticalLog log;
    UIWrapper ui;
    ui.add_label("avant").add_label("après");
    build(ui);
    const QBoxLayout* layout = qobject_cast<QBoxLayout*>(widgetAt<QFrame>(ui.end(), 2)->layout());
    QCOMPARE(itemsOf(layout), items);
    for (const QTableWidget* table : ui.window->findChildren<QTableWidget*>())
        QCOMPARE(table->rowCount(), 0);

    layOut(ui);
    QCOMPARE(itemsOf(layout), items);
    QCOMPARE(log.criticals(), QStringList());
}

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
