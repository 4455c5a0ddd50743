#include "layout_probe.h"

#include <velmora/velmora.h>

#include <QFrame>
#include <QMainWindow>
#include <QTest>

#include <memory>

using velmora::Section;

Q_DECLARE_METATYPE(velmora::Margins)

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

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
