// SPDX-License-Identifier: MIT
#include "layout_probe.h"

#include <velmora/velmora.h>

#include <QFrame>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <stdexcept>

using velmora::Section;
using velmora::TabSections;
using velmora::UIWrapper;
using velmora::detail::SectionAccess;

namespace {

// Builds the nested section of the given kind in `parent`, with an explicit stretch when given.
Section& addNested(Section& parent, const QString& kind, std::optional<int> stretch = {})
{
    if (kind == "row")
        return parent.add_row({.stretch = stretch});
    if (kind == "column")
        return parent.add_column({.stretch = stretch});
    if (kind == "scroll")
        return parent.add_scroll({.stretch = stretch});
    return parent.add_tabs({"A"}, {.stretch = stretch}).at("A");
}

} // namespace

class TestNesting : public QObject
{
    Q_OBJECT

private slots:
    void nestedSectionTakesAStretchEntryOfItsParent_data();
    void nestedSectionTakesAStretchEntryOfItsParent();
    void rowsAndColumnsFillTheirOwnLayout();
    void crossAlignmentFollowsDirection_data();
    void crossAlignmentFollowsDirection();
    void namesGoOnContainersWithoutRegistration();
    void scrollAreaPolicies_data();
    void scrollAreaPolicies();
    void repeatedTabTitleMapsToItsLastPage();
    void emptyTabListAddsEmptyTabWidget();
    void endClimbsBackToTheCreator();

    // Careless and hostile input, and objects outliving or outlived by others.
    void twoThousandTabs();
    void rowsNestedFiveHundredDeep();
    void tabSectionsCopyOutlivesTheCallAndTheWindow();
};

void TestNesting::nestedSectionTakesAStretchEntryOfItsParent_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("widgetClass");

    QTest::newRow("row") << "row"
                         << "QFrame";
    QTest::newRow("column") << "column"
                            << "QFrame";
    QTest::newRow("scroll") << "scroll"
                            << "QScrollArea";
    QTest::newRow("tabs") << "tabs"
                          << "QTabWidget";
}

void TestNesting::nestedSectionTakesAStretchEntryOfItsParent()
{
    QFETCH(QString, kind);
    QFETCH(QString, widgetClass);

    Host host;
    Section parent(host.layout, {.stretches = {4, 5}});
    parent.add_label("a");
    Section& child = addNested(parent, kind);
    parent.add_label("b");
    QCOMPARE(itemsOf(parent), QStringList({"QLabel:4", widgetClass + ":5", "QLabel:0"}));
    QCOMPARE(&child.end(), &parent);
    QCOMPARE(SectionAccess::subSectionCount(parent), 1);

    Host other;
    Section explicitParent(other.layout, {.stretches = {4, 5}});
    addNested(explicitParent, kind, 3);
    explicitParent.add_label("b");
    QCOMPARE(itemsOf(explicitParent), QStringList({widgetClass + ":3", "QLabel:4"}));
}

void TestNesting::rowsAndColumnsFillTheirOwnLayout()
{
    Host host;
    Section parent(host.layout);
    Section& row = parent.add_row({.stretches = {1, 2}});
    row.add_label("a").add_label("b").add_label("c");
    Section& column = parent.add_column({.align = "bottom"});

    auto* rowFrame = widgetAt<QFrame>(parent, 0);
    QCOMPARE(layoutOf(row)->parentWidget(), rowFrame);
    QVERIFY(qobject_cast<QHBoxLayout*>(layoutOf(row)));
    QCOMPARE(rowFrame->frameShape(), QFrame::NoFrame);
    QCOMPARE(itemsOf(row), QStringList({"QLabel:1", "QLabel:2", "QLabel:0"}));

    QCOMPARE(layoutOf(column)->parentWidget(), widgetAt<QFrame>(parent, 1));
    QVERIFY(qobject_cast<QVBoxLayout*>(layoutOf(column)));
    QCOMPARE(itemsOf(column), QStringList({"stretch:1"}));
}

void TestNesting::crossAlignmentFollowsDirection_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("word");
    QTest::addColumn<Qt::Alignment>("expected");

    QTest::newRow("row center") << "row"
                                << "center" << Qt::Alignment(Qt::AlignVCenter);
    QTest::newRow("row top") << "row"
                             << "top" << Qt::Alignment(Qt::AlignTop);
    QTest::newRow("row bottom") << "row"
                                << "bottom" << Qt::Alignment(Qt::AlignBottom);
    QTest::newRow("row left") << "row"
                              << "left" << Qt::Alignment();
    QTest::newRow("row empty") << "row"
                               << "" << Qt::Alignment();
    QTest::newRow("column center") << "column"
                                   << "center" << Qt::Alignment(Qt::AlignHCenter);
    QTest::newRow("column left") << "column"
                                 << "left" << Qt::Alignment(Qt::AlignLeft);
    QTest::newRow("column right") << "column"
                                  << "right" << Qt::Alignment(Qt::AlignRight);
    QTest::newRow("column top") << "column"
                                << "top" << Qt::Alignment();
    QTest::newRow("column unknown") << "column"
                                    << "milieu" << Qt::Alignment();
}

void TestNesting::crossAlignmentFollowsDirection()
{
    QFETCH(QString, kind);
    QFETCH(QString, word);
    QFETCH(Qt::Alignment, expected);

    Host host;
    Section parent(host.layout);
    Section& child =
        kind == "row" ? parent.add_row({.cross_align = word}) : parent.add_column({.cross_align = word});
    QCOMPARE(layoutOf(child)->alignment(), expected);
    QCOMPARE(layoutOf(child)->count(), 0);
}

void TestNesting::namesGoOnContainersWithoutRegistration()
{
    Host host;
    Section parent(host.layout);
    parent.add_row({.name = "barre"});
    parent.add_column();
    (void)parent.add_tabs({"A"}, {.name = "onglets"});

    QCOMPARE(widgetAt<QFrame>(parent, 0)->objectName(), QStringLiteral("barre"));
    QCOMPARE(widgetAt<QFrame>(parent, 1)->objectName(), QString());
    QCOMPARE(widgetAt<QTabWidget>(parent, 2)->objectName(), QStringLiteral("onglets"));
    QCOMPARE(parent.get("barre"), nullptr);
    QCOMPARE(parent.get("onglets"), nullptr);
}

void TestNesting::scrollAreaPolicies_data()
{
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<Qt::ScrollBarPolicy>("expected");

    QTest::newRow("vertical only") << false << Qt::ScrollBarAlwaysOff;
    QTest::newRow("both ways") << true << Qt::ScrollBarAsNeeded;
}

void TestNesting::scrollAreaPolicies()
{
    QFETCH(bool, horizontal);
    QFETCH(Qt::ScrollBarPolicy, expected);

    Host host;
    Section parent(host.layout);
    Section& inner = parent.add_scroll({.horizontal = horizontal});
    auto* scroll = widgetAt<QScrollArea>(parent, 0);
    QCOMPARE(scroll->horizontalScrollBarPolicy(), expected);
    QCOMPARE(scroll->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    QVERIFY(scroll->widgetResizable());
    QCOMPARE(layoutOf(inner)->parentWidget(), scroll->widget());

    // A wide child shows the horizontal bar only where the area may scroll that way.
    inner.add_label(QString(400, QLatin1Char('x')));
    host.widget.resize(120, 120);
    host.widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host.widget));
    QTRY_COMPARE(scroll->horizontalScrollBar()->isVisible(), horizontal);
}

void TestNesting::repeatedTabTitleMapsToItsLastPage()
{
    Host host;
    Section parent(host.layout);
    const velmora::TabSections tabs = parent.add_tabs({"A", "B", "A"});
    auto* tabWidget = widgetAt<QTabWidget>(parent, 0);

    QCOMPARE(tabWidget->count(), 3);
    QCOMPARE(tabWidget->tabText(2), QStringLiteral("A"));
    QCOMPARE(SectionAccess::subSectionCount(parent), 3);
    QCOMPARE(tabs.size(), 2);
    QCOMPARE(tabs.keys(), QStringList({"A", "B"}));
    QVERIFY(tabs.contains("B"));
    QVERIFY(!tabs.contains("C"));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, tabs.at("C"));

    QList<QWidget*> pages;
    QStringList titles;
    for (auto& [title, section] : tabs) {
        titles << title;
        pages << layoutOf(section)->parentWidget();
    }
    QCOMPARE(titles, QStringList({"A", "B"}));
    QCOMPARE(pages, QList<QWidget*>({tabWidget->widget(2), tabWidget->widget(1)}));
    QCOMPARE(layoutOf(tabs.at("A"))->parentWidget(), tabWidget->widget(2));
}

void TestNesting::emptyTabListAddsEmptyTabWidget()
{
    Host host;
    Section parent(host.layout, {.stretches = {2}});
    const velmora::TabSections tabs = parent.add_tabs({});
    QCOMPARE(tabs.size(), 0);
    QVERIFY(tabs.begin() == tabs.end());
    QCOMPARE(widgetAt<QTabWidget>(parent, 0)->count(), 0);
    QCOMPARE(itemsOf(parent), QStringList({"QTabWidget:2"}));
}

void TestNesting::endClimbsBackToTheCreator()
{
    velmora::UIWrapper ui;
    Section& root = ui.end();
    Section& row = ui.add_row();
    Section& column = row.add_column();
    QCOMPARE(&column.end(), &row);
    QCOMPARE(&row.end(), &root);
    QCOMPARE(&ui.add_scroll().end(), &root);
    QCOMPARE(&ui.add_tabs({"A"}).at("A").end(), &root);
    QCOMPARE(&column.end().add_label("x").end(), &root);
}

void TestNesting::twoThousandTabs()
{
    // Qt's tab bar lays out every tab again on each insertion, so the time grows with the square
    // of the count: 10,000 tabs take about a minute in Qt alone. 2,000 show the same behaviour.
    QStringList titles;
    for (int i = 0; i < 2000; ++i)
        titles << QString::number(i % 1800);
    UIWrapper ui;
    const velmora::TabSections tabs = ui.add_tabs(titles, {.name = "onglets"});
    auto* widget = ui.window->findChild<QTabWidget*>("onglets");
    QCOMPARE(widget->count(), 2000);
    QCOMPARE(tabs.size(), 1800);
    QCOMPARE(tabs.keys().constLast(), QStringLiteral("1799"));
    tabs.at("0").add_label("dernière page du titre 0");
    QCOMPARE(widget->widget(1800)->findChildren<QLabel*>().size(), 1);
    QCOMPARE(&tabs.at("9").end(), &ui.end());
}

void TestNesting::rowsNestedFiveHundredDeep()
{
    UIWrapper ui;
    Section* section = &ui.end();
    for (int depth = 0; depth < 500; ++depth) {
        section = depth % 2 ? &section->add_column({.align = "center", .cross_align = "center"})
                            : &section->add_row({.align = "center", .cross_align = "center"});
    }
    section->add_label("fond", {.name = "fond"});
    Section* climb = section;
    for (int depth = 0; depth < 500; ++depth)
        climb = &climb->end();
    QCOMPARE(climb, &ui.end());

    QTimer::singleShot(0, [] { QCoreApplication::exit(3); });
    QCOMPARE(ui.run(), 3);
    QCOMPARE(itemsOf(*section), QStringList({"stretch:1", "QLabel:0", "stretch:1"}));
    QVERIFY(section->get("fond")->isVisible());
}

void TestNesting::tabSectionsCopyOutlivesTheCallAndTheWindow()
{
    TabSections kept;
    {
        UIWrapper ui;
        {
            const TabSections tabs = ui.add_tabs({"A", "B", "A"});
            kept = tabs;
        }
        TabSections assigned;
        assigned = kept;
        kept.at("B").add_label("b", {.name = "b"});
        QCOMPARE(assigned.at("B").get("b"), kept.at("B").get("b"));
        QCOMPARE(kept.keys(), QStringList({"A", "B"}));
        QCOMPARE(&kept.at("A").end(), &ui.end());
    }
    // The sections are gone with their window; the map may still be asked about its titles.
    QCOMPARE(kept.keys(), QStringList({"A", "B"}));
    QVERIFY(kept.contains("A"));
}

QTEST_MAIN(TestNesting)
#include "tst_nesting.moc"
