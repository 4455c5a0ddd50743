// SPDX-License-Identifier: MIT
#include <tarnwickview/tarnwickview.h>

#include "inspector_support.h"
#include "test_support.h"

#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>
#include <memory>
#include <stdexcept>

namespace {

// Takes the inspected window off the screen, or brings it back.
using WindowChange = std::function<void(QWidget*)>;

// The save dialog that the last button click opened.
QFileDialog* fileDialog(QWidget* inspector)
{
    auto* dialog = inspector->findChild<QFileDialog*>();
    return dialog && dialog->isVisible() ? dialog : nullptr;
}

// Accepts the open save dialog as if the user typed `path`.
void acceptFileDialog(QWidget* inspector, const QString& path)
{
    QFileDialog* dialog = fileDialog(inspector);
    QVERIFY(dialog);
    dialog->selectFile(path);
    static_cast<QDialog*>(dialog)->accept();
    QTRY_VERIFY(!inspector->findChild<QFileDialog*>());
}

} // namespace

class TestInspectorWindow : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    // Opening, shortcut and lifetime.
    void nullRootAndEmptyShortcutAreRejected();
    void openingTwiceRaisesTheSameSeparateWindow();
    void shortcutOpensInspectorWithoutChangingTree();
    void installingSameShortcutTwiceKeepsItWorking();
    void inspectorDiesWithRoot();
    void closingRemovesHighlightAndLeavesTreeAsItWas();
    void openingRightAfterClosingGivesNewWindow();
    void eventLoopEndsWhenLastWindowClosesWithInspectorOpen();

    // The tree view.
    void viewShowsGetTreeLineForLine();
    void refreshShowsNewWidgetsAndKeepsSelectionWithoutListingHighlight();
    void applicationOutputIsUnchangedWhileWidgetSelected();
    void secondInspectorHighlightIsNotListedByFirst();

    // Highlight and details.
    void selectedWidgetIsCoveredByHighlight_data();
    void selectedWidgetIsCoveredByHighlight();
    void changingSelectionLeavesOneHighlight();
    void highlightFollowsWidgetWhenWindowResizes();
    void highlightStaysInsideScrollViewport();
    void highlightFollowsReparentedWidget();
    void highlightLeavesScreenWithItsWindow_data();
    void highlightLeavesScreenWithItsWindow();
    void clicksPassThroughHighlight();
    void detailsDescribeSelectedWidget();

    // Style sheet.
    void editorShowsWindowStyleSheet();
    void typingAppliesStyleSheetToWindow();
    void applyButtonAppliesAtOnce();
    void refreshKeepsEditNotYetApplied();
    void editorFollowsSheetSetByApplication();
    void sheetSetByApplicationSurvivesConcurrentEdit();

    // Files.
    void saveTreeButtonWritesTreeWithoutHighlight();
    void generateQssButtonWritesTemplate();
    void failedSaveIsReportedInWindow();
};

void TestInspectorWindow::cleanup()
{
    for (QWidget* inspector : openInspectors())
        inspector->close();
    QTRY_VERIFY(openInspectors().isEmpty());
}

void TestInspectorWindow::nullRootAndEmptyShortcutAreRejected()
{
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, tarnwickview::open_inspector(nullptr));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, tarnwickview::install_inspector(nullptr));
    QWidget root;
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, tarnwickview::install_inspector(&root, QKeySequence()));
    QVERIFY(root.findChildren<QObject*>().isEmpty());
    QVERIFY(openInspectors().isEmpty());
}

void TestInspectorWindow::openingTwiceRaisesTheSameSeparateWindow()
{
    InspectedWindow inspected;
    inspected.show();
    QWidget* first = tarnwickview::open_inspector(inspected.get());
    QWidget* second = tarnwickview::open_inspector(inspected.get());
    QCOMPARE(second, first);
    QCOMPARE(openInspectors().size(), 1);
    QVERIFY(first->isWindow());
    QVERIFY(!first->parentWidget());
    QVERIFY(first->isVisible());
    QCOMPARE(first->windowTitle(), QStringLiteral("Inspecteur — Fenêtre test"));

    QWidget untitled;
    QCOMPARE(tarnwickview::open_inspector(&untitled)->windowTitle(), QStringLiteral("Inspecteur — QWidget"));
    QCOMPARE(openInspectors().size(), 2);
}

void TestInspectorWindow::shortcutOpensInspectorWithoutChangingTree()
{
    InspectedWindow inspected;
    const QString before = tarnwickview::get_tree(inspected.get());
    tarnwickview::install_inspector(inspected.get());
    QCOMPARE(tarnwickview::get_tree(inspected.get()), before);

    inspected.show();
    inspected.get()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(inspected.get()));
    QTest::keyClick(inspected.get(), Qt::Key_I, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(openInspectors().size(), 1);
    QCOMPARE(openInspectors().first(), tarnwickview::open_inspector(inspected.get()));
    QCOMPARE(tarnwickview::get_tree(inspected.get()), before);
}

void TestInspectorWindow::installingSameShortcutTwiceKeepsItWorking()
{
    InspectedWindow inspected;
    tarnwickview::install_inspector(inspected.get(), QKeySequence(QStringLiteral("F12")));
    tarnwickview::install_inspector(inspected.get(), QKeySequence(QStringLiteral("F12")));
    tarnwickview::install_inspector(inspected.get());
    QCOMPARE(inspected.get()->findChildren<QShortcut*>(Qt::FindDirectChildrenOnly).size(), 2);

    inspected.show();
    inspected.get()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(inspected.get()));
    QTest::keyClick(inspected.get(), Qt::Key_F12);
    QCOMPARE(openInspectors().size(), 1);
}

void TestInspectorWindow::inspectorDiesWithRoot()
{
    auto inspected = std::make_unique<InspectedWindow>();
    inspected->show();
    QPointer<QWidget> inspector = tarnwickview::open_inspector(inspected->get());
    selectNode(inspector, QStringLiteral("QPushButton  'Valider'  [#valider]"));
    inspected.reset();
    QVERIFY(inspector.isNull());
    QVERIFY(openInspectors().isEmpty());
}

void TestInspectorWindow::closingRemovesHighlightAndLeavesTreeAsItWas()
{
    InspectedWindow inspected;
    inspected.show();
    const QString before = tarnwickview::get_tree(inspected.get());
    const QList<QWidget*> widgetsBefore = inspected.get()->findChildren<QWidget*>();

    QPointer<QWidget> inspector = tarnwickview::open_inspector(inspected.get());
    selectNode(inspector, QStringLiteral("QTabWidget  ['Général', 'Avancé']  [#onglets]"));
    selectNode(inspector, QStringLiteral("QLabel  'Titre'  [#titre]"));
    QCOMPARE(shownHighlights().size(), 1);
    inspector->close();
    QVERIFY(shownHighlights().isEmpty());
    QTRY_VERIFY(inspector.isNull());

    QCOMPARE(tarnwickview::get_tree(inspected.get()), before);
    QCOMPARE(inspected.get()->findChildren<QWidget*>(), widgetsBefore);
}

void TestInspectorWindow::openingRightAfterClosingGivesNewWindow()
{
    InspectedWindow inspected;
    QPointer<QWidget> closed = tarnwickview::open_inspector(inspected.get());
    closed->close();
    QWidget* reopened = tarnwickview::open_inspector(inspected.get());
    QVERIFY(reopened != closed);
    QVERIFY(reopened->isVisible());
    QTRY_VERIFY(closed.isNull());
    QCOMPARE(tarnwickview::open_inspector(inspected.get()), reopened);
    QCOMPARE(openInspectors(), QList<QWidget*>{reopened});
}

void TestInspectorWindow::eventLoopEndsWhenLastWindowClosesWithInspectorOpen()
{
    InspectedWindow inspected;
    inspected.show();
    QPointer<QWidget> inspector = tarnwickview::open_inspector(inspected.get());
    selectNode(inspector, QStringLiteral("QPushButton  'Valider'  [#valider]"));
    QVERIFY(QApplication::quitOnLastWindowClosed());
    QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);

    QTimer::singleShot(0, inspected.get(), &QWidget::close);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
    watchdog.start(5000);
    QCOMPARE(QApplication::exec(), 0);
    QCOMPARE(lastClosed.count(), 1);
}

void TestInspectorWindow::viewShowsGetTreeLineForLine()
{
    InspectedWindow inspected;
    inspected.show();
    QWidget* inspector = tarnwickview::open_inspector(inspected.get());
    const QString tree = viewText(treeOf(inspector));
    QCOMPARE(tree, tarnwickview::get_tree(inspected.get()));
    QVERIFY(tree.startsWith(QStringLiteral("QMainWindow\n"
                                           "├─ QWidget  [#central]\n"
                                           "│  ├─ QLabel  'Titre'  [#titre]\n"
                                           "│  ├─ QTabWidget  ['Général', 'Avancé']  [#onglets]\n")));
    QVERIFY(tree.endsWith(QStringLiteral("│  ├─ QPushButton  'Valider'  [#valider]\n"
                                         "│  └─ QPushButton  'Annuler'\n"
                                         "├─ QStatusBar\n"
                                         "│  └─ QSizeGrip\n"
                                         "└─ QMenuBar\n"
                                         "   ├─ QToolButton  [#qt_menubar_ext_button]\n"
                                         "   └─ QMenu")));
    for (QTreeWidgetItemIterator it(treeOf(inspector)); *it; ++it)
        QVERIFY((*it)->childCount() == 0 || (*it)->isExpanded());
}

void TestInspectorWindow::refreshShowsNewWidgetsAndKeepsSelectionWithoutListingHighlight()
{
    InspectedWindow inspected;
    inspected.show();
    QWidget* inspector = tarnwickview::open_inspector(inspected.get());
    selectNode(inspector, QStringLiteral("QPushButton  'Valider'  [#valider]"));

    auto* added = new QLabel(QStringLiteral("Nouveau"));
    added->setObjectName(QStringLiteral("nouveau"));
    inspected.central->layout()->addWidget(added);
    inspected.ok->setText(QStringLiteral("OK"));
    const QString expected = tarnwickview::get_tree(inspected.get());
    QVERIFY(expected.contains(QStringLiteral("QLabel  'Nouveau'  [#nouveau]")));

    click(inspector, "refresh");
    QCOMPARE(viewText(treeOf(inspector)), expected);
    QCOMPARE(treeOf(inspector)->currentItem()->text(0), QStringLiteral("QPushButton  'OK'  [#valider]"));
    const QList<QWidget*> overlays = shownHighlights();
    QCOMPARE(overlays.size(), 1);
    QCOMPARE(overlays.first()->geometry(), screenArea(inspected.ok));
}

void TestInspectorWindow::applicationOutputIsUnchangedWhileWidgetSelected()
{
    ScratchDirectory scratch;
    InspectedWindow inspected;
    inspected.show();
    const QString tree = tarnwickview::get_tree(inspected.get());
    {
        StdoutCapture quiet;
        tarnwickview::generate_qss(inspected.get(), QStringLiteral("avant.qss"));
    }
    StdoutCapture before;
    tarnwickview::print_tree(inspected.get());
    const QByteArray printed = before.bytes();

    QWidget* inspector = tarnwickview::open_inspector(inspected.get());
    selectNode(inspector, QStringLiteral("QPushButton  'Valider'  [#valider]"));
    QCOMPARE(shownHighlights().size(), 1);
    QCOMPARE(tarnwickview::get_tree(inspected.get()), tree);
    {
        StdoutCapture quiet;
        tarnwickview::generate_qss(inspected.get(), QStringLiteral("pendant.qss"));
    }
    QCOMPARE(readFile(QStringLiteral("pendant.qss")), readFile(QStringLiteral("avant.qss")));
    StdoutCapture during;
    tarnwickview::print_tree(inspected.get());
    QCOMPARE(during.bytes(), printed);
}

void TestInspectorWindow::secondInspectorHighlightIsNotListedByFirst()
{
    InspectedWindow inspected;
    inspected.show();
    const QString tree = tarnwickview::get_tree(inspected.get());
    QWidget* first = tarnwickview::open_inspector(inspected.get());
    QWidget* second = tarnwickview::open_inspector(inspected.central);
    QVERIFY(second != first);
    selectNode(second, QStringLiteral("QLabel  'Titre'  [#titre]"));
    QCOMPARE(shownHighlights().size(), 1);

    click(first, "refresh");
    QCOMPARE(viewText(treeOf(first)), tree);
}

void TestInspectorWindow::selectedWidgetIsCoveredByHighlight_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("name");
    QTest::newRow("button in a nested row")
        << QStringLiteral("QPushButton  'Valider'  [#valider]") << QStringLiteral("valider");
    QTest::newRow("central widget") << QStringLiteral("QWidget  [#central]") << QStringLiteral("central");
    QTest::newRow("tab widget") << QStringLiteral("QTabWidget  ['Général', 'Avancé']  [#onglets]")
                                << QStringLiteral("onglets");
    QTest::newRow("the window itself") << QStringLiteral("QMainWindow") << QString();
}

void TestInspectorWindow::selectedWidgetIsCoveredByHighlight()
{
    QFETCH(QString, label);
    QFETCH(QString, name);
    InspectedWindow inspected;
    inspected.show();
    QWidget* inspector = tarnwickview::open_inspector(inspected.get());
    QVERIFY(shownHighlights().isEmpty());

    selectNode(inspector, label);
    QWidget* target = name.isEmpty() ? inspected.get() : inspected.get()->findChild<QWidget*>(name);
    QVERIFY(target);
    const QList<QWidget*> overlays = shownHighlights();
    QCOMPARE(overlays.size(), 1);
    QWidget* overlay = overlays.first();
    QVERIFY(overlay->isWindow());
    QVERIFY(!overlay->parentWidget());
    QCOMPARE(overlay->geometry(), screenArea(target));
    QVERIFY(overlay->isVisible());
    QVERIFY(overlay->testAttribute(Qt::WA_TransparentForMouseEvents));
    QVERIFY(overlay->windowFlags().testFlag(Qt::WindowTransparentForInput));
    QVERIFY(!overlay->testAttribute(Qt::WA_QuitOnClose));
    QCOMPARE(overlay->focusPolicy(), Qt::NoFocus);
    QCOMPARE(overlay->windowHandle()->transientParent(), inspected.get()->windowHandle());
}

void TestInspectorWindow::changingSelectionLeavesOneHighlight()
{
    InspectedWindow inspected;
    inspected.show();
    QWidget* inspector = tarnwickview::open_inspector(inspected.get());
    selectNode(inspector, QStringLiteral("QPushButton  'Valider'  [#valider]"));
    selectNode(inspector, QStringLiteral("QTableWidget  3×2"));
    const QList<QWidget*> overlays = shownHighlights();
    QCOMPARE(overlays.size(), 1);
    QCOMPARE(overlays.first()->geometry(), screenArea(inspected.table));

    treeOf(inspector)->clearSelection();
    QVERIFY(shownHighlights().isEmpty());
    QCOMPARE(textOf(inspector, "details_class"), QString());
}

void TestInspectorWindow::highlightFollowsWidgetWhenWindowResizes()
{
    InspectedWindow inspected;
    inspected.show();
    QWidget* inspector = tarnwickview::open_inspector(inspected.get());
    selectNode(inspector, QStringLiteral("QTableWidget  3×2"));
    const QRect before = screenArea(inspected.table);

    inspected.get()->resize(1000, 900);
    QTRY_VERIFY(screenArea(inspected.table) != before);
    QWidget* overlay = shownHighlights().value(0);
    QVERIFY(overlay);
    QTRY_COMPARE(overlay->geometry(), screenArea(inspected.table));

    inspected.get()->move(inspected.get()->pos() + QPoint(40, 30));
    QTRY_COMPARE(overlay->geometry(), screenArea(inspected.table));
}

void TestInspectorWindow::highlightStaysInsideScrollViewport()
{
    InspectedWindow inspected;
    inspected.show();
    QWidget* inspector = tarnwickview::open_inspector(inspected.get());
    const QRect viewport = screenArea(inspected.scroll->viewport());
    QVERIFY(!viewport.contains(screenArea(inspected.lastLine)));

    selectNode(inspector, QStringLiteral("QLabel  'Ligne 3'  [#derniere]"));
    QWidget* overlay = anyHighlight();
    QVERIFY(overlay);
    QVERIFY(!overlay->isVisible());

    inspected.scroll->ensureWidgetVisible(inspected.lastLine);
    QTRY_VERIFY(overlay->isVisible());
    QCOMPARE(overlay->geometry(), screenArea(inspected.lastLine) & viewport);
}

void TestInspectorWindow::highlightFollowsReparentedWidget()
{
    InspectedWindow inspected;
    inspected.show();
    QWidget* inspector = tarnwickview::open_inspector(inspected.get());
    selectNode(inspector, QStringLiteral("QTableWidget  3×2"));
    QWidget* page = inspected.tabs->widget(0);

    inspected.table->setParent(page);
    inspected.table->setGeometry(10, 10, 2000, 40);
    inspected.table->show();
    QWidget* overlay = anyHighlight();
    QTRY_COMPARE(overlay->geometry(), screenArea(inspected.table) & screenArea(page));
    QVERIFY(overlay->isVisible());

    inspected.tabs->setCurrentIndex(1);
    QTRY_VERIFY(!overlay->isVisible());
}

void TestInspectorWindow::highlightLeavesScreenWithItsWindow_data()
{
    QTest::addColumn<WindowChange>("away");
    QTest::addColumn<WindowChange>("back");
    QTest::newRow("minimized, then restored") << WindowChange([](QWidget* w) { w->showMinimized(); })
                                              << WindowChange([](QWidget* w) { w->showNormal(); });
    QTest::newRow("hidden, then shown")
        << WindowChange([](QWidget* w) { w->hide(); }) << WindowChange([](QWidget* w) { w->show(); });
}

void TestInspectorWindow::highlightLeavesScreenWithItsWindow()
{
    QFETCH(WindowChange, away);
    QFETCH(WindowChange, back);
    InspectedWindow inspected;
    inspected.show();
    QWidget* inspector = tarnwickview::open_inspector(inspected.get());
    selectNode(inspector, QStringLiteral("QPushButton  'Valider'  [#valider]"));
    QCOMPARE(shownHighlights().size(), 1);

    away(inspected.get());
    QTRY_VERIFY(shownHighlights().isEmpty());
    back(inspected.get());
    QTRY_COMPARE(shownHighlights().size(), 1);
    QCOMPARE(shownHighlights().first()->geometry(), screenArea(inspected.ok));
}

void TestInspectorWindow::clicksPassThroughHighlight()
{
    InspectedWindow inspected;
    inspected.show();
    QWidget* inspector = tarnwickview::open_inspector(inspected.get());
    selectNode(inspector, QStringLiteral("QPushButton  'Valider'  [#valider]"));
    QSignalSpy clicked(inspected.ok, &QPushButton::clicked);

    const QPoint centre = inspected.ok->mapTo(inspected.get(), inspected.ok->rect().center());
    QTest::mouseClick(inspected.get()->windowHandle(), Qt::LeftButton, {}, centre);
    QCOMPARE(clicked.count(), 1);
}

void TestInspectorWindow::detailsDescribeSelectedWidget()
{
    QWidget root;
    root.setWindowTitle(QStringLiteral("Détails"));
    auto* label = new QLabel(QStringLiteral("Prix"), &root);
    label->setObjectName(QStringLiteral("<b>prix</b>"));
    label->setGeometry(10, 20, 120, 30);
    label->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    label->setStyleSheet(QStringLiteral("color: red;"));
    auto* hidden = new QPushButton(QStringLiteral("Caché"), &root);
    hidden->hide();
    auto* empty = new QWidget;
    empty->setObjectName(QStringLiteral("vide"));
    empty->setParent(&root);
    root.show();
    QVERIFY(QTest::qWaitForWindowExposed(&root));
    QWidget* inspector = tarnwickview::open_inspector(&root);

    selectNode(inspector, QStringLiteral("QLabel  'Prix'  [#<b>prix</b>]"));
    QCOMPARE(textOf(inspector, "details_class"), QStringLiteral("QLabel"));
    QCOMPARE(textOf(inspector, "details_name"), QStringLiteral("<b>prix</b>"));
    QCOMPARE(textOf(inspector, "details_geometry"), QStringLiteral("position (10, 20), taille 120×30"));
    QCOMPARE(textOf(inspector, "details_size_policy"),
             QStringLiteral("horizontale Expanding, verticale Fixed"));
    QCOMPARE(textOf(inspector, "details_visibility"), QStringLiteral("visible"));
    QCOMPARE(textOf(inspector, "details_style_sheet"), QStringLiteral("color: red;"));

    selectNode(inspector, QStringLiteral("QPushButton  'Caché'"));
    QCOMPARE(textOf(inspector, "details_name"), QStringLiteral("(aucun)"));
    QCOMPARE(textOf(inspector, "details_visibility"), QStringLiteral("masqué"));
    QCOMPARE(textOf(inspector, "details_style_sheet"), QStringLiteral("(aucune)"));
    QVERIFY(shownHighlights().isEmpty());

    root.hide();
    selectNode(inspector, QStringLiteral("QWidget  [#vide]"));
    QCOMPARE(textOf(inspector, "details_visibility"), QStringLiteral("masqué par un parent"));
}

void TestInspectorWindow::editorShowsWindowStyleSheet()
{
    InspectedWindow inspected;
    inspected.get()->setStyleSheet(QStringLiteral("QLabel { color: red; }"));
    QWidget* inspector = tarnwickview::open_inspector(inspected.get());
    auto* editor = inspector->findChild<QPlainTextEdit*>(QStringLiteral("style_sheet"));
    QCOMPARE(editor->toPlainText(), QStringLiteral("QLabel { color: red; }"));

    inspected.get()->setStyleSheet(QStringLiteral("QLabel { color: blue; }"));
    click(inspector, "refresh");
    QCOMPARE(editor->toPlainText(), QStringLiteral("QLabel { color: blue; }"));
}

void TestInspectorWindow::typingAppliesStyleSheetToWindow()
{
    InspectedWindow inspected;
    inspected.show();
    QWidget* inspector = tarnwickview::open_inspector(inspected.get());
    auto* editor = inspector->findChild<QPlainTextEdit*>(QStringLiteral("style_sheet"));
    QTest::keyClicks(editor, QStringLiteral("QPushButton#valider { color: #0000ff; }"));
    QTRY_COMPARE(inspected.get()->styleSheet(), QStringLiteral("QPushButton#valider { color: #0000ff; }"));
    QTRY_COMPARE(inspected.ok->palette().color(QPalette::ButtonText), QColor(0, 0, 255));
}

void TestInspectorWindow::applyButtonAppliesAtOnce()
{
    InspectedWindow inspected;
    inspected.get()->setStyleSheet(QStringLiteral("QLabel { color: red; }"));
    QWidget* inspector = tarnwickview::open_inspector(inspected.get());
    auto* editor = inspector->findChild<QPlainTextEdit*>(QStringLiteral("style_sheet"));
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("QLabel { color: green; }"));
    click(inspector, "apply_style");
    QCOMPARE(inspected.get()->styleSheet(), QStringLiteral("QLabel { color: green; }"));
}

void TestInspectorWindow::refreshKeepsEditNotYetApplied()
{
    InspectedWindow inspected;
    QWidget* inspector = tarnwickview::open_inspector(inspected.get());
    auto* editor = inspector->findChild<QPlainTextEdit*>(QStringLiteral("style_sheet"));
    QTest::keyClicks(editor, QStringLiteral("QLabel { color: green; }"));
    click(inspector, "refresh");
    QCOMPARE(editor->toPlainText(), QStringLiteral("QLabel { color: green; }"));
    QCOMPARE(inspected.get()->styleSheet(), QStringLiteral("QLabel { color: green; }"));
}

void TestInspectorWindow::editorFollowsSheetSetByApplication()
{
    InspectedWindow inspected;
    inspected.get()->setStyleSheet(QStringLiteral("QLabel { color: red; }"));
    QWidget* inspector = tarnwickview::open_inspector(inspected.get());
    auto* editor = inspector->findChild<QPlainTextEdit*>(QStringLiteral("style_sheet"));

    inspected.get()->setStyleSheet(QStringLiteral("QLabel { color: blue; }"));
    QCOMPARE(editor->toPlainText(), QStringLiteral("QLabel { color: blue; }"));
    inspected.get()->setStyleSheet(QString());
    QCOMPARE(editor->toPlainText(), QString());
    inspected.get()->setStyleSheet(QStringLiteral("QPushButton { color: green; }"));

    // An unrelated edit lands on the sheet the application set last.
    editor->moveCursor(QTextCursor::End);
    QTest::keyClicks(editor, QStringLiteral(" QLabel { color: red; }"));
    QTRY_COMPARE(inspected.get()->styleSheet(),
                 QStringLiteral("QPushButton { color: green; } QLabel { color: red; }"));
    QCOMPARE(textOf(inspector, "status"), QString());
}

void TestInspectorWindow::sheetSetByApplicationSurvivesConcurrentEdit()
{
    InspectedWindow inspected;
    inspected.get()->setStyleSheet(QStringLiteral("QLabel { color: red; }"));
    QWidget* inspector = tarnwickview::open_inspector(inspected.get());
    auto* editor = inspector->findChild<QPlainTextEdit*>(QStringLiteral("style_sheet"));
    editor->moveCursor(QTextCursor::End);
    QTest::keyClicks(editor, QStringLiteral(" QCheckBox { color: gray; }"));
    inspected.get()->setStyleSheet(QStringLiteral("QLabel { color: blue; }"));

    const QString conflict = QStringLiteral(
        "La feuille de style de la fenêtre a changé pendant votre modification : elle est conservée. "
        "« Appliquer » la remplace par celle de l'éditeur.");
    QTRY_COMPARE(textOf(inspector, "status"), conflict);
    QCOMPARE(inspected.get()->styleSheet(), QStringLiteral("QLabel { color: blue; }"));
    QCOMPARE(editor->toPlainText(), QStringLiteral("QLabel { color: red; } QCheckBox { color: gray; }"));
    click(inspector, "refresh");
    QCOMPARE(inspected.get()->styleSheet(), QStringLiteral("QLabel { color: blue; }"));

    click(inspector, "apply_style");
    QCOMPARE(inspected.get()->styleSheet(),
             QStringLiteral("QLabel { color: red; } QCheckBox { color: gray; }"));
}

void TestInspectorWindow::saveTreeButtonWritesTreeWithoutHighlight()
{
    ScratchDirectory scratch;
    InspectedWindow inspected;
    inspected.show();
    const QString expected = tarnwickview::get_tree(inspected.get());
    QWidget* inspector = tarnwickview::open_inspector(inspected.get());
    selectNode(inspector, QStringLiteral("QPushButton  'Valider'  [#valider]"));

    const QString path = scratch.path() + QStringLiteral("/arbre.txt");
    click(inspector, "save_tree");
    QVERIFY(fileDialog(inspector));
    StdoutCapture output;
    acceptFileDialog(inspector, path);
    QCOMPARE(QString::fromUtf8(output.bytes()), QStringLiteral("Arborescence sauvegardée → ") + path + u'\n');
    QCOMPARE(QString::fromUtf8(readFile(path)), expected);
    QCOMPARE(textOf(inspector, "status"), QStringLiteral("Arborescence sauvegardée → ") + path);
    QCOMPARE(shownHighlights().size(), 1);
}

void TestInspectorWindow::generateQssButtonWritesTemplate()
{
    ScratchDirectory scratch;
    InspectedWindow inspected;
    inspected.show();
    const QString reference = scratch.path() + QStringLiteral("/reference.qss");
    {
        StdoutCapture quiet;
        tarnwickview::generate_qss(inspected.get(), reference);
    }
    QWidget* inspector = tarnwickview::open_inspector(inspected.get());
    selectNode(inspector, QStringLiteral("QTableWidget  3×2"));

    const QString path = scratch.path() + QStringLiteral("/style.qss");
    click(inspector, "generate_qss");
    QVERIFY(fileDialog(inspector));
    StdoutCapture output;
    acceptFileDialog(inspector, path);
    QCOMPARE(QString::fromUtf8(output.bytes()), QStringLiteral("Template QSS généré → ") + path + u'\n');
    QCOMPARE(readFile(path), readFile(reference));
    QCOMPARE(textOf(inspector, "status"), QStringLiteral("Template QSS généré → ") + path);
}

void TestInspectorWindow::failedSaveIsReportedInWindow()
{
    ScratchDirectory scratch;
    InspectedWindow inspected;
    QWidget* inspector = tarnwickview::open_inspector(inspected.get());
    QVERIFY(QDir(scratch.path()).mkdir(QStringLiteral("dossier.txt")));

    click(inspector, "save_tree");
    QFileDialog* dialog = fileDialog(inspector);
    QVERIFY(dialog);
    StdoutCapture output;
    // The dialog itself refuses a directory, so the failing path comes through its signal.
    emit dialog->fileSelected(scratch.path() + QStringLiteral("/dossier.txt"));
    dialog->reject();
    QCOMPARE(output.bytes(), QByteArray());
    QVERIFY2(textOf(inspector, "status").startsWith(QStringLiteral("Impossible d'enregistrer l'arbre : ")),
             qPrintable(textOf(inspector, "status")));
    QVERIFY(textOf(inspector, "status").contains(QStringLiteral("dossier.txt")));
}

QTEST_MAIN(TestInspectorWindow)
#include "tst_inspector_window.moc"
