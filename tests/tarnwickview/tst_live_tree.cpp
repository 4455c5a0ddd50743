// SPDX-License-Identifier: MIT
#include <tarnwickview/tarnwickview.h>

#include "inspector_support.h"

#include <QPointer>
#include <QSignalSpy>

#include <functional>

namespace {

using Change = std::function<void(InspectedWindow&)>;

QTreeWidgetItem* rowOf(QWidget* inspector, const QString& label)
{
    const QList<QTreeWidgetItem*> found =
        treeOf(inspector)->findItems(label, Qt::MatchExactly | Qt::MatchRecursive);
    return found.size() == 1 ? found.first() : nullptr;
}

} // namespace

class TestLiveTree : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void treeFollowsWidgets_data();
    void treeFollowsWidgets();
    void burstOfAdditionsIsOneUpdate();
    void hiddenWidgetsAreGreyed();
};

void TestLiveTree::cleanup()
{
    for (QWidget* inspector : openInspectors())
        inspector->close();
    QTRY_VERIFY(openInspectors().isEmpty());
}

void TestLiveTree::treeFollowsWidgets_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<QString>("expectedLine");

    QTest::newRow("widget added") << Change([](InspectedWindow& w) {
        auto* label = new QLabel(QStringLiteral("Nouveau"));
        label->setObjectName(QStringLiteral("nouveau"));
        w.central->layout()->addWidget(label);
    }) << QStringLiteral("QLabel  'Nouveau'  [#nouveau]");
    QTest::newRow("widget removed") << Change([](InspectedWindow& w) { delete w.table; })
                                    << QStringLiteral("QScrollArea  [#defilement]");
    QTest::newRow("widget renamed") << Change([](InspectedWindow& w) {
        w.ok->setObjectName(QStringLiteral("confirmer"));
    }) << QStringLiteral("QPushButton  'Valider'  [#confirmer]");
    QTest::newRow("button text changed")
        << Change([](InspectedWindow& w) { w.ok->setText(QStringLiteral("OK")); })
        << QStringLiteral("QPushButton  'OK'  [#valider]");
    QTest::newRow("tab title changed")
        << Change([](InspectedWindow& w) { w.tabs->setTabText(1, QStringLiteral("Expert")); })
        << QStringLiteral("QTabWidget  ['Général', 'Expert']  [#onglets]");
    QTest::newRow("text on a page out of view") << Change([](InspectedWindow& w) {
        w.tabs->setCurrentIndex(1);
        w.get()->findChild<QCheckBox*>()->setText(QStringLiteral("Inactif"));
    }) << QStringLiteral("QCheckBox  'Inactif'");
    QTest::newRow("widget hidden") << Change([](InspectedWindow& w) { w.ok->hide(); })
                                   << QStringLiteral("QPushButton  'Valider'  [#valider]");
    QTest::newRow("widget moved to another parent")
        << Change([](InspectedWindow& w) { w.tabs->widget(0)->layout()->addWidget(w.ok); })
        << QStringLiteral("QPushButton  'Valider'  [#valider]");
    QTest::newRow("layout order changed") << Change([](InspectedWindow& w) {
        auto* column = static_cast<QVBoxLayout*>(w.central->layout());
        column->removeWidget(w.table);
        column->insertWidget(0, w.table);
    }) << QStringLiteral("QTableWidget  3×2");
}

void TestLiveTree::treeFollowsWidgets()
{
    QFETCH(Change, change);
    QFETCH(QString, expectedLine);
    InspectedWindow inspected;
    inspected.show();
    QWidget* inspector = tarnwickview::open_inspector(inspected.get());
    QTreeWidget* tree = treeOf(inspector);
    selectNode(inspector, QStringLiteral("QLabel  'Titre'  [#titre]"));
    QTreeWidgetItem* menuBar = rowOf(inspector, QStringLiteral("QMenuBar"));
    QVERIFY(menuBar);
    menuBar->setExpanded(false);

    change(inspected);
    QVERIFY(tarnwickview::get_tree(inspected.get()).contains(expectedLine));
    // Qt may add parts of its own while the window settles (a scroll bar); the view follows them.
    QTRY_COMPARE(viewText(tree), tarnwickview::get_tree(inspected.get()));
    QCOMPARE(tree->currentItem()->text(0), QStringLiteral("QLabel  'Titre'  [#titre]"));
    QCOMPARE(tree->selectedItems(), QList<QTreeWidgetItem*>{tree->currentItem()});
    QVERIFY(!rowOf(inspector, QStringLiteral("QMenuBar"))->isExpanded());
    QVERIFY(rowOf(inspector, QStringLiteral("QWidget  [#central]"))->isExpanded());
    QCOMPARE(shownHighlights().size(), 1);
}

void TestLiveTree::burstOfAdditionsIsOneUpdate()
{
    QWidget root;
    auto* column = new QVBoxLayout(&root);
    column->addWidget(new QLabel(QStringLiteral("première")));
    root.show();
    QVERIFY(QTest::qWaitForWindowExposed(&root));
    QWidget* inspector = tarnwickview::open_inspector(&root);
    QTreeWidget* tree = treeOf(inspector);
    QSignalSpy inserted(tree->model(), &QAbstractItemModel::rowsInserted);

    for (int i = 0; i < 100; ++i)
        column->addWidget(new QLabel(QStringLiteral("ligne %1").arg(i)));
    QCOMPARE(inserted.count(), 0);
    QTRY_COMPARE(viewText(tree), tarnwickview::get_tree(&root));
    QCOMPARE(treeOf(inspector)->topLevelItem(0)->childCount(), 101);
    QCOMPARE(inserted.count(), 1);
}

void TestLiveTree::hiddenWidgetsAreGreyed()
{
    InspectedWindow inspected;
    inspected.show();
    QWidget* inspector = tarnwickview::open_inspector(inspected.get());
    const QString buttonRow = QStringLiteral("QPushButton  'Valider'  [#valider]");
    const QString pageRow = QStringLiteral("QCheckBox  'Actif'");
    QVERIFY(!rowOf(inspector, buttonRow)->data(0, Qt::ForegroundRole).isValid());

    inspected.ok->hide();
    inspected.tabs->setCurrentIndex(1);
    QTRY_VERIFY(rowOf(inspector, buttonRow)->data(0, Qt::ForegroundRole).isValid());
    QTRY_VERIFY(rowOf(inspector, pageRow)->data(0, Qt::ForegroundRole).isValid());

    inspected.ok->show();
    QTRY_VERIFY(!rowOf(inspector, buttonRow)->data(0, Qt::ForegroundRole).isValid());
}

QTEST_MAIN(TestLiveTree)
#include "tst_live_tree.moc"
