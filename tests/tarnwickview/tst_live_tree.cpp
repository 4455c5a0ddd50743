// SPDX-License-Identifier: MIT
#include <tarnwickview/tarnwickview.h>

#include "inspector_support.h"

#include <QAction>
#include <QDockWidget>
#include <QGroupBox>
#include <QMenu>
#include <QPointer>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>

#include <functional>

// A label of the program's own, as applications derive them.
class StatusLabel : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;
};

namespace {

using Change = std::function<void(InspectedWindow&)>;
using Make = std::function<QWidget*(InspectedWindow&)>;

// Where the inspector keeps what a row's label leaves out, drawn after the label.
constexpr int DETAIL_ROLE = Qt::UserRole + 1;

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
    void refreshesNoMoreThanChangesNeed_data();
    void refreshesNoMoreThanChangesNeed();
    void hiddenWidgetsAreGreyed();
    void rowsShowWhatLabelsLeaveOut_data();
    void rowsShowWhatLabelsLeaveOut();
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
    QTest::newRow("placeholder changed") << Change([](InspectedWindow& w) {
        w.get()->findChild<QLineEdit*>()->setPlaceholderText(QStringLiteral("Prénom"));
    }) << QStringLiteral("QLineEdit  placeholder='Prénom'");
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

void TestLiveTree::refreshesNoMoreThanChangesNeed_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<int>("most");
    QTest::newRow("idle, cursor blinking in a line edit") << Change() << 0;
    QTest::newRow("button renamed every 50 ms")
        << Change([count = 0](InspectedWindow& w) mutable { w.ok->setText(QString::number(++count)); }) << 5;
}

void TestLiveTree::refreshesNoMoreThanChangesNeed()
{
    QFETCH(Change, change);
    QFETCH(int, most);
    InspectedWindow inspected;
    inspected.show();
    QWidget* inspector = tarnwickview::open_inspector(inspected.get());
    // The details of a widget with a layout list its items anew on every refresh of the tree.
    selectNode(inspector, QStringLiteral("QWidget  [#central]"));
    ACTIVATE_OR_SKIP(inspected.get());
    auto* edit = inspected.get()->findChild<QLineEdit*>();
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    // Focus and activation ask for layouts, which settle one level up per pass; they are over,
    // and seen, before counting.
    for (int level = 0; level < 5; ++level)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    click(inspector, "refresh");
    auto* layoutItems = inspector->findChild<QTreeWidget*>(QStringLiteral("layout_items"));
    QSignalSpy refreshes(layoutItems->model(), &QAbstractItemModel::rowsInserted);
    QTimer ticks;
    ticks.setInterval(50);
    if (change)
        connect(&ticks, &QTimer::timeout, this, [&] { change(inspected); });
    ticks.start();

    // A fixed wait, for once: what is checked is that refreshes do not happen, over a span in
    // which the cursor blinks and the changes come faster than the tree may follow them.
    QTest::qWait(1000);
    ticks.stop();
    QVERIFY2(refreshes.count() <= most, qPrintable(QString::number(refreshes.count())));
    QTRY_COMPARE(viewText(treeOf(inspector)), tarnwickview::get_tree(inspected.get()));
    QCOMPARE(refreshes.isEmpty(), !change);
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

void TestLiveTree::rowsShowWhatLabelsLeaveOut_data()
{
    QTest::addColumn<Make>("make");
    QTest::addColumn<Change>("later");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("detail");

    // A widget of type T showing `text`, added to the central column.
    const auto added = []<typename T>(const QString& text) {
        return Make([text](InspectedWindow& w) -> QWidget* {
            auto* widget = new T(text);
            w.central->layout()->addWidget(widget);
            return widget;
        });
    };
    QTest::newRow("derived class") << added.operator()<StatusLabel>("Prêt") << Change() << "QLabel  'Prêt'"
                                   << "StatusLabel";
    QTest::newRow("plain label") << added.operator()<QLabel>("Seul") << Change() << "QLabel  'Seul'"
                                 << "";
    QTest::newRow("tool button of an action") << Make([](InspectedWindow& w) -> QWidget* {
        auto* button = new QToolButton;
        button->setDefaultAction(new QAction(QStringLiteral("Enregistrer sous"), button));
        button->setText(QString());
        w.central->layout()->addWidget(button);
        return button;
    }) << Change() << "QToolButton"
                                              << "'Enregistrer sous'";
    QTest::newRow("radio button") << added.operator()<QRadioButton>("L'un") << Change() << "QRadioButton"
                                  << "\"L'un\"";
    QTest::newRow("group box") << added.operator()<QGroupBox>("Réglages") << Change() << "QGroupBox"
                               << "'Réglages'";
    QTest::newRow("menu") << Make([](InspectedWindow& w) -> QWidget* { return w.get()->findChild<QMenu*>(); })
                          << Change() << "QMenu"
                          << "'Fichier'";
    QTest::newRow("dock widget") << Make([](InspectedWindow& w) -> QWidget* {
        auto* dock = new QDockWidget(QStringLiteral("Outils\n2"));
        w.get()->addDockWidget(Qt::LeftDockWidgetArea, dock);
        return dock;
    }) << Change() << "QDockWidget"
                                 << "'Outils\\n2'";
    QTest::newRow("text changed while shown")
        << added.operator()<QRadioButton>("Avant")
        << Change([](InspectedWindow& w) { w.get()->findChild<QRadioButton*>()->setText("Après"); })
        << "QRadioButton"
        << "'Après'";
}

void TestLiveTree::rowsShowWhatLabelsLeaveOut()
{
    QFETCH(Make, make);
    QFETCH(Change, later);
    QFETCH(QString, label);
    QFETCH(QString, detail);
    InspectedWindow inspected;
    QWidget* widget = make(inspected);
    inspected.show();
    QWidget* inspector = tarnwickview::open_inspector(inspected.get());
    QVERIFY(widget);
    if (later)
        later(inspected);

    const auto rowOfWidget = [&]() -> QTreeWidgetItem* {
        for (QTreeWidgetItemIterator it(treeOf(inspector)); *it; ++it) {
            if ((*it)->text(0) == label && (*it)->data(0, DETAIL_ROLE).toString() == detail)
                return *it;
        }
        return nullptr;
    };
    QTRY_VERIFY(rowOfWidget());
    QCOMPARE(viewText(treeOf(inspector)), tarnwickview::get_tree(inspected.get()));
    if (!detail.isEmpty()) {
        inspector->findChild<QLineEdit*>(QStringLiteral("tree_filter"))->setText(detail);
        QVERIFY(!rowOfWidget()->isHidden());
        QVERIFY(rowOf(inspector, QStringLiteral("QLabel  'Titre'  [#titre]"))->isHidden());
    }
}

QTEST_MAIN(TestLiveTree)
#include "tst_live_tree.moc"
