// SPDX-License-Identifier: MIT
#include <tarnwickview/tarnwickview.h>

#include "inspector_support.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QShortcut>
#include <QSignalSpy>

#include <functional>

namespace {

// Binds Ctrl+Shift+C in the application's window; `fired` counts its activations.
using Binding = std::function<void(QMainWindow*, int& fired)>;

QPushButton* pickButton(QWidget* inspector)
{
    return inspector->findChild<QPushButton*>(QStringLiteral("pick"));
}

// Arms picking the way the row names: the inspector's button, or the key in the inspected window,
// which must be active.
void arm(QWidget* inspector, InspectedWindow& inspected, bool byKey)
{
    if (byKey) {
        QTest::keyClick(inspected.get(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    } else {
        QTest::mouseClick(pickButton(inspector), Qt::LeftButton);
    }
    QVERIFY(pickButton(inspector)->isChecked());
}

QPoint centreIn(const InspectedWindow& inspected, const QWidget* widget)
{
    return widget->mapTo(inspected.get(), widget->rect().center());
}

} // namespace

class TestPicker : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void clickPicksWidgetWithoutReachingIt_data();
    void clickPicksWidgetWithoutReachingIt();
    void pickKeyLeavesApplicationBindingAlone_data();
    void pickKeyLeavesApplicationBindingAlone();
    void escapeCancelsPicking();
    void widgetUnderPointerIsHighlightedWhileArmed();
};

void TestPicker::cleanup()
{
    for (QWidget* inspector : openInspectors())
        inspector->close();
    QTRY_VERIFY(openInspectors().isEmpty());
}

void TestPicker::clickPicksWidgetWithoutReachingIt_data()
{
    QTest::addColumn<bool>("byKey");
    QTest::newRow("Choisir button") << false;
    QTest::newRow("Ctrl+Shift+C in the inspected window") << true;
}

void TestPicker::clickPicksWidgetWithoutReachingIt()
{
    QFETCH(bool, byKey);
    InspectedWindow inspected;
    inspected.show();
    QWidget* inspector = tarnwickview::open_inspector(inspected.get());
    const QString before = tarnwickview::get_tree(inspected.get());
    QSignalSpy clicked(inspected.ok, &QPushButton::clicked);
    if (byKey)
        ACTIVATE_OR_SKIP(inspected.get());
    arm(inspector, inspected, byKey);

    QTest::mouseClick(inspected.get()->windowHandle(), Qt::LeftButton, {}, centreIn(inspected, inspected.ok));
    QCOMPARE(clicked.count(), 0);
    QVERIFY(!pickButton(inspector)->isChecked());
    QCOMPARE(treeOf(inspector)->currentItem()->text(0), QStringLiteral("QPushButton  'Valider'  [#valider]"));
    QCOMPARE(textOf(inspector, "details_name"), QStringLiteral("valider"));
    QCOMPARE(shownHighlights().value(0)->geometry(), screenArea(inspected.ok));
    QCOMPARE(tarnwickview::get_tree(inspected.get()), before);

    // Picking is over: the next click is the application's again.
    QTest::mouseClick(inspected.get()->windowHandle(), Qt::LeftButton, {}, centreIn(inspected, inspected.ok));
    QCOMPARE(clicked.count(), 1);
}

void TestPicker::pickKeyLeavesApplicationBindingAlone_data()
{
    QTest::addColumn<Binding>("bind");
    QTest::addColumn<bool>("picking");
    QTest::newRow("key free in the application") << Binding() << true;
    QTest::newRow("application shortcut") << Binding([](QMainWindow* window, int& fired) {
        auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), window);
        QObject::connect(shortcut, &QShortcut::activated, [&fired] { ++fired; });
    }) << false;
    QTest::newRow("menu action") << Binding([](QMainWindow* window, int& fired) {
        QAction* action = window->menuBar()->actions().first()->menu()->addAction(QStringLiteral("Copier"));
        action->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
        QObject::connect(action, &QAction::triggered, [&fired] { ++fired; });
    }) << false;
}

void TestPicker::pickKeyLeavesApplicationBindingAlone()
{
    QFETCH(Binding, bind);
    QFETCH(bool, picking);
    int fired = 0;
    InspectedWindow inspected;
    if (bind)
        bind(inspected.get(), fired);
    inspected.show();
    QWidget* inspector = tarnwickview::open_inspector(inspected.get());
    ACTIVATE_OR_SKIP(inspected.get());

    QTest::keyClick(inspected.get(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(pickButton(inspector)->isChecked(), picking);
    QCOMPARE(fired, picking ? 0 : 1);
}

void TestPicker::escapeCancelsPicking()
{
    InspectedWindow inspected;
    inspected.show();
    QWidget* inspector = tarnwickview::open_inspector(inspected.get());
    QSignalSpy clicked(inspected.ok, &QPushButton::clicked);
    ACTIVATE_OR_SKIP(inspected.get());
    arm(inspector, inspected, true);

    QTest::keyClick(inspected.get(), Qt::Key_Escape);
    QVERIFY(!pickButton(inspector)->isChecked());
    QTest::mouseClick(inspected.get()->windowHandle(), Qt::LeftButton, {}, centreIn(inspected, inspected.ok));
    QCOMPARE(clicked.count(), 1);
    QVERIFY(treeOf(inspector)->selectedItems().isEmpty());
}

void TestPicker::widgetUnderPointerIsHighlightedWhileArmed()
{
    InspectedWindow inspected;
    inspected.show();
    QWidget* inspector = tarnwickview::open_inspector(inspected.get());
    const QString pickHighlight = QStringLiteral("tarnwickview_pick_highlight");
    arm(inspector, inspected, false);

    QTest::mouseMove(inspected.get()->windowHandle(), centreIn(inspected, inspected.tabs->tabBar()));
    QCOMPARE(shownHighlights(pickHighlight).size(), 1);
    QCOMPARE(shownHighlights(pickHighlight).first()->geometry(), screenArea(inspected.tabs->tabBar()));
    QTest::mouseMove(inspected.get()->windowHandle(), centreIn(inspected, inspected.ok));
    QCOMPARE(shownHighlights(pickHighlight).first()->geometry(), screenArea(inspected.ok));
    QCursor::setPos(inspected.get()->frameGeometry().bottomRight() + QPoint(40, 40));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(inspected.get()->windowHandle(), &leave);
    QVERIFY(shownHighlights(pickHighlight).isEmpty());
    QTest::mouseMove(inspected.get()->windowHandle(), centreIn(inspected, inspected.table));
    QCOMPARE(shownHighlights(pickHighlight).size(), 1);

    QTest::mouseClick(pickButton(inspector), Qt::LeftButton);
    QVERIFY(shownHighlights(pickHighlight).isEmpty());
}

QTEST_MAIN(TestPicker)
#include "tst_picker.moc"
