// SPDX-License-Identifier: MIT
#include "layout_probe.h"
#include "window_fixture.h"

#include <velmora/velmora.h>

#include <QMainWindow>
#include <QTest>
#include <QTimer>

using velmora::Section;
using velmora::UIWrapper;

using namespace fixture;

namespace {

QBoxLayout* outerLayout(const UIWrapper& ui)
{
    return qobject_cast<QBoxLayout*>(ui.window->centralWidget()->layout());
}

QBoxLayout* middleLayout(const UIWrapper& ui)
{
    return qobject_cast<QBoxLayout*>(ui.window->findChild<QWidget*>("middle")->layout());
}

// The object names of a layout's widgets with their stretch factors, in order.
QStringList placedWidgets(const QBoxLayout* layout)
{
    QStringList names;
    for (int i = 0; i < layout->count(); ++i)
        names
            << QStringLiteral("%1:%2").arg(layout->itemAt(i)->widget()->objectName()).arg(layout->stretch(i));
    return names;
}

QWidget* container(const Section& sidebar)
{
    return layoutOf(sidebar)->parentWidget();
}

} // namespace

class TestSidebars : public QObject
{
    Q_OBJECT

private slots:
    void sidesArePlacedBySideWhateverTheOrder();
    void sideWordIgnoresLetterCase();
    void sizeIsFixedByTheFirstCall_data();
    void sizeIsFixedByTheFirstCall();
    void absentSizeLeavesThicknessToTheLayout();
    void optionsReachTheSidebarSection_data();
    void optionsReachTheSidebarSection();
    void unknownSideIsRejected_data();
    void unknownSideIsRejected();
    void runSealsSidebarsAndRoot();

    // Careless and hostile input.
    void rejectedCallChangesNothing_data();
    void rejectedCallChangesNothing();
    void unknownSideNamesTheWordItWasGiven_data();
    void unknownSideNamesTheWordItWasGiven();
};

void TestSidebars::sidesArePlacedBySideWhateverTheOrder()
{
    UIWrapper ui;
    for (const char* side : {"down", "right", "up", "left"})
        ui.sidebar(side);

    QCOMPARE(placedWidgets(outerLayout(ui)), QStringList({"sidebar-up:0", "middle:1", "sidebar-down:0"}));
    QCOMPARE(placedWidgets(middleLayout(ui)),
             QStringList({"sidebar-left:0", "content:1", "sidebar-right:0"}));

    for (const char* side : {"up", "down"})
        QVERIFY(qobject_cast<QHBoxLayout*>(layoutOf(ui.sidebar(side))));
    for (const char* side : {"left", "right"})
        QVERIFY(qobject_cast<QVBoxLayout*>(layoutOf(ui.sidebar(side))));
    QCOMPARE(layoutOf(ui.sidebar("up"))->contentsMargins(), QMargins(0, 0, 0, 0));
    QCOMPARE(&ui.sidebar("right").end(), &ui.sidebar("right"));
}

void TestSidebars::sideWordIgnoresLetterCase()
{
    UIWrapper ui;
    Section& left = ui.sidebar();
    QCOMPARE(container(left)->objectName(), QStringLiteral("sidebar-left"));
    QCOMPARE(&ui.sidebar("LEFT"), &left);
    QCOMPARE(&ui.sidebar("Left"), &left);
    QCOMPARE(container(ui.sidebar("DOWN"))->objectName(), QStringLiteral("sidebar-down"));
    QCOMPARE(middleLayout(ui)->count(), 2);
}

void TestSidebars::sizeIsFixedByTheFirstCall_data()
{
    QTest::addColumn<QString>("side");
    QTest::addColumn<int>("size");

    QTest::newRow("left") << "left" << 200;
    QTest::newRow("right") << "right" << 0;
    QTest::newRow("up") << "up" << 40;
    QTest::newRow("down") << "down" << 0;
}

void TestSidebars::sizeIsFixedByTheFirstCall()
{
    QFETCH(QString, side);
    QFETCH(int, size);

    UIWrapper ui;
    Section& first = ui.sidebar(side, {.size = size});
    QCOMPARE(&ui.sidebar(side, {.size = 50}), &first);

    const QWidget* bar = container(first);
    const bool across = side == "left" || side == "right";
    QCOMPARE(across ? bar->minimumWidth() : bar->minimumHeight(), size);
    QCOMPARE(across ? bar->maximumWidth() : bar->maximumHeight(), size);
    QCOMPARE(across ? bar->maximumHeight() : bar->maximumWidth(), QWIDGETSIZE_MAX);
}

void TestSidebars::absentSizeLeavesThicknessToTheLayout()
{
    UIWrapper ui;
    const QWidget* bar = container(ui.sidebar("left"));
    QCOMPARE(bar->minimumSize(), QSize(0, 0));
    QCOMPARE(bar->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
}

void TestSidebars::optionsReachTheSidebarSection_data()
{
    QTest::addColumn<QString>("side");
    QTest::addColumn<QString>("crossAlign");
    QTest::addColumn<Qt::Alignment>("expected");

    QTest::newRow("up center") << "up"
                               << "center" << Qt::Alignment(Qt::AlignVCenter);
    QTest::newRow("down bottom") << "down"
                                 << "bottom" << Qt::Alignment(Qt::AlignBottom);
    QTest::newRow("up left") << "up"
                             << "left" << Qt::Alignment();
    QTest::newRow("left center") << "left"
                                 << "center" << Qt::Alignment(Qt::AlignHCenter);
    QTest::newRow("right right") << "right"
                                 << "right" << Qt::Alignment(Qt::AlignRight);
    QTest::newRow("left top") << "left"
                              << "top" << Qt::Alignment();
    QTest::newRow("left empty") << "left"
                                << "" << Qt::Alignment();
}

void TestSidebars::optionsReachTheSidebarSection()
{
    QFETCH(QString, side);
    QFETCH(QString, crossAlign);
    QFETCH(Qt::Alignment, expected);

    UIWrapper ui;
    Section& bar = ui.sidebar(side, {.stretches = {3}, .align = "bottom", .cross_align = crossAlign});
    QCOMPARE(layoutOf(bar)->alignment(), expected);
    bar.add_label("a").add_label("b");
    QCOMPARE(itemsOf(bar), QStringList({"stretch:1", "QLabel:3", "QLabel:0"}));
}

void TestSidebars::unknownSideIsRejected_data()
{
    QTest::addColumn<QString>("side");
    QTest::addColumn<QString>("message");

    QTest::newRow("middle")
        << "middle"
        << "Sidebar inconnue : 'middle'. Valeurs valides : ['up', 'down', 'left', 'right']";
    QTest::newRow("TOP") << "TOP"
                         << "Sidebar inconnue : 'top'. Valeurs valides : ['up', 'down', 'left', 'right']";
    QTest::newRow("padded")
        << " left "
        << "Sidebar inconnue : ' left '. Valeurs valides : ['up', 'down', 'left', 'right']";
    QTest::newRow("placeholder-like")
        << "%1%2"
        << "Sidebar inconnue : '%1%2'. Valeurs valides : ['up', 'down', 'left', 'right']";
    QTest::newRow("non-ASCII")
        << "Gauche→"
        << "Sidebar inconnue : 'gauche→'. Valeurs valides : ['up', 'down', 'left', 'right']";
}

void TestSidebars::unknownSideIsRejected()
{
    QFETCH(QString, side);
    QFETCH(QString, message);

    UIWrapper ui;
    const qsizetype widgetsBefore = ui.window->findChildren<QWidget*>().size();
    try {
        ui.sidebar(side, {.size = 10});
        QFAIL("no exception");
    } catch (const velmora::ValueError& error) {
        QCOMPARE(QString::fromUtf8(error.what()), message);
    }
    QCOMPARE(ui.window->findChildren<QWidget*>().size(), widgetsBefore);
    QCOMPARE(outerLayout(ui)->count(), 1);
    QCOMPARE(middleLayout(ui)->count(), 1);

    ui.sidebar("left").add_label("a");
    ui.add_label("b");
    QCOMPARE(placedWidgets(middleLayout(ui)), QStringList({"sidebar-left:0", "content:1"}));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, ui.sidebar(side));
}

void TestSidebars::runSealsSidebarsAndRoot()
{
    UIWrapper ui;
    ui.sidebar("right", {.align = "top"}).add_label("r");
    ui.add_label("contenu");
    Section& column = ui.add_column({.align = "left"});
    column.add_label("c");
    ui.sidebar("left", {.align = "center"}).add_label("l");

    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QCOMPARE(ui.run(), 0);

    QCOMPARE(itemsOf(ui.sidebar("right")), QStringList({"QLabel:0", "stretch:1"}));
    QCOMPARE(itemsOf(ui.sidebar("left")), QStringList({"stretch:1", "QLabel:0", "stretch:1"}));
    QCOMPARE(itemsOf(ui.end()), QStringList({"QLabel:0", "QFrame:0"}));
    QCOMPARE(itemsOf(column), QStringList({"QLabel:0", "stretch:1"}));
    QVERIFY(velmora::detail::SectionAccess::sealed(ui.end()));
}

void TestSidebars::unknownSideNamesTheWordItWasGiven_data()
{
    QTest::addColumn<QString>("side");
    QTest::addColumn<QString>("message");

    const QString prefix = QStringLiteral("Sidebar inconnue : '");
    QTest::newRow("empty") << QString() << prefix + validSides();
    QTest::newRow("trailing space") << "LEFT " << prefix + "left " + validSides();
    QTest::newRow("right-to-left word") << "ימין" << prefix + "ימין" + validSides();
    QTest::newRow("direction override") << "\u202eLeft" << prefix + "\u202eleft" + validSides();
    QTest::newRow("astral letters") << "𝔩𝔢𝔣𝔱" << prefix + "𝔩𝔢𝔣𝔱" + validSides();
    QTest::newRow("braces and comment end") << "{Left} */" << prefix + "{left} */" + validSides();
    QTest::newRow("one megabyte") << megabyteText() << prefix + megabyteText() + validSides();
    // what() is a C string: the message ends at the word's NUL.
    QTest::newRow("NUL inside") << withNul() << prefix + "a";
}

void TestSidebars::unknownSideNamesTheWordItWasGiven()
{
    QFETCH(QString, side);
    QFETCH(QString, message);

    UIWrapper ui;
    const QStringList before = stateOf(ui);
    try {
        ui.sidebar(side, {.size = 10});
        QFAIL("the side was accepted");
    } catch (const velmora::ValueError& error) {
        QCOMPARE(QString::fromUtf8(error.what()), message);
    }
    QCOMPARE(stateOf(ui), before);
}

void TestSidebars::rejectedCallChangesNothing_data()
{
    QTest::addColumn<Action>("call");
    QTest::addColumn<QString>("type");

    QTest::newRow("unknown side") << Action([](UIWrapper& ui) {
        ui.sidebar("middle", {.stretches = {1}, .align = "center", .size = 40});
    }) << "ValueError";
}

void TestSidebars::rejectedCallChangesNothing()
{
    QFETCH(Action, call);
    QFETCH(QString, type);
    checkRejectedCallChangesNothing(call, type);
}

QTEST_MAIN(TestSidebars)
#include "tst_sidebars.moc"
