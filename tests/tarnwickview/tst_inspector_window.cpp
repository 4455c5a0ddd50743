#include <tarnwickview/tarnwickview.h>

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
#include <QTreeWidget>

#include <memory>
#include <stdexcept>

namespace {

// A main window of the kind applications build: menu and status bars, a central widget whose
// column holds a label, a row of buttons, tabs, a scroll area and a table.
struct InspectedWindow
{
    std::unique_ptr<QMainWindow> window = std::make_unique<QMainWindow>();
    QPushButton* ok = nullptr;
    QTabWidget* tabs = nullptr;
    QScrollArea* scroll = nullptr;
    QLabel* lastLine = nullptr;
    QTableWidget* table = nullptr;
    QWidget* central = nullptr;

    InspectedWindow()
    {
        window->setWindowTitle(QStringLiteral("Fenêtre test"));
        window->menuBar()->addMenu(QStringLiteral("Fichier"));
        central = new QWidget;
        central->setObjectName(QStringLiteral("central"));
        auto* column = new QVBoxLayout(central);

        auto* title = new QLabel(QStringLiteral("Titre"));
        title->setObjectName(QStringLiteral("titre"));
        column->addWidget(title);

        auto* row = new QHBoxLayout;
        column->addLayout(row);
        ok = new QPushButton(QStringLiteral("Valider"));
        ok->setObjectName(QStringLiteral("valider"));
        row->addWidget(ok);
        row->addWidget(new QPushButton(QStringLiteral("Annuler")));

        tabs = new QTabWidget;
        tabs->setObjectName(QStringLiteral("onglets"));
        auto* general = new QWidget;
        auto* page = new QVBoxLayout(general);
        page->addWidget(new QCheckBox(QStringLiteral("Actif")));
        auto* edit = new QLineEdit;
        edit->setPlaceholderText(QStringLiteral("Nom"));
        page->addWidget(edit);
        tabs->addTab(general, QStringLiteral("Général"));
        auto* combo = new QComboBox;
        combo->addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        tabs->addTab(combo, QStringLiteral("Avancé"));
        column->addWidget(tabs);

        scroll = new QScrollArea;
        scroll->setObjectName(QStringLiteral("defilement"));
        scroll->setWidgetResizable(true);
        auto* content = new QWidget;
        auto* lines = new QVBoxLayout(content);
        for (int i = 1; i <= 3; ++i) {
            lastLine = new QLabel(QStringLiteral("Ligne %1").arg(i));
            lastLine->setMinimumHeight(300);
            lines->addWidget(lastLine);
        }
        lastLine->setObjectName(QStringLiteral("derniere"));
        scroll->setWidget(content);
        column->addWidget(scroll);

        table = new QTableWidget(3, 2);
        column->addWidget(table);

        window->setCentralWidget(central);
        window->statusBar();
        window->resize(800, 600);
    }

    QMainWindow* get() const { return window.get(); }

    void show() const
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
};

// The tree as the view shows it, drawn with the connectors of the text tree.
void appendItem(QString& text, const QTreeWidgetItem* item, QString& prefix, bool isLast)
{
    text += QLatin1Char('\n');
    text += prefix;
    text += isLast ? QStringView(u"└─ ") : QStringView(u"├─ ");
    text += item->text(0);
    prefix += isLast ? QStringView(u"   ") : QStringView(u"│  ");
    for (int i = 0; i < item->childCount(); ++i)
        appendItem(text, item->child(i), prefix, i == item->childCount() - 1);
    prefix.chop(3);
}

QString viewText(const QTreeWidget* tree)
{
    if (tree->topLevelItemCount() != 1)
        return QStringLiteral("<%1 top-level items>").arg(tree->topLevelItemCount());
    const QTreeWidgetItem* top = tree->topLevelItem(0);
    QString text = top->text(0);
    QString prefix;
    for (int i = 0; i < top->childCount(); ++i)
        appendItem(text, top->child(i), prefix, i == top->childCount() - 1);
    return text;
}

QTreeWidget* treeOf(QWidget* inspector)
{
    return inspector->findChild<QTreeWidget*>(QStringLiteral("tree"));
}

QString textOf(QWidget* inspector, const char* name)
{
    const auto* label = inspector->findChild<QLabel*>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("<no %1>").arg(QLatin1String(name));
}

void click(QWidget* inspector, const char* button)
{
    auto* target = inspector->findChild<QPushButton*>(QLatin1String(button));
    QVERIFY2(target, button);
    QTest::mouseClick(target, Qt::LeftButton);
}

// Clicks the row whose text is `label`, as a user picks a node.
void selectNode(QWidget* inspector, const QString& label)
{
    QTreeWidget* tree = treeOf(inspector);
    const QList<QTreeWidgetItem*> found = tree->findItems(label, Qt::MatchExactly | Qt::MatchRecursive);
    QCOMPARE(found.size(), 1);
    tree->scrollToItem(found.first());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(found.first()).center());
    QCOMPARE(tree->currentItem(), found.first());
}

QList<QWidget*> overlaysIn(const QWidget* window)
{
    QList<QWidget*> result;
    for (QWidget* child : window->findChildren<QWidget*>()) {
        if (child->inherits("tarnwickview::detail::InspectorOverlay"))
            result.append(child);
    }
    return result;
}

QRect areaIn(const QWidget* window, const QWidget* widget)
{
    return QRect(widget->mapTo(window, QPoint(0, 0)), widget->size());
}

QList<QWidget*> openInspectors()
{
    QList<QWidget*> result;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("tarnwickview_inspector"))
            result.append(widget);
    }
    return result;
}

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

    // The tree view.
    void viewShowsGetTreeLineForLine();
    void refreshShowsNewWidgetsAndKeepsSelectionWithoutListingHighlight();

    // Highlight and details.
    void selectedWidgetIsCoveredByHighlight_data();
    void selectedWidgetIsCoveredByHighlight();
    void changingSelectionLeavesOneHighlight();
    void highlightFollowsWidgetWhenWindowResizes();
    void highlightStaysInsideScrollViewport();
    void clicksPassThroughHighlight();
    void detailsDescribeSelectedWidget();

    // Style sheet.
    void editorShowsWindowStyleSheet();
    void typingAppliesStyleSheetToWindow();
    void applyButtonAppliesAtOnce();
    void refreshKeepsEditNotYetApplied();

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
    QCOMPARE(overlaysIn(inspected.get()).size(), 1);
    inspector->close();
    QVERIFY(overlaysIn(inspected.get()).isEmpty());
    QTRY_VERIFY(inspector.isNull());

    QCOMPARE(tarnwickview::get_tree(inspected.get()), before);
    QCOMPARE(inspected.get()->findChildren<QWidget*>(), widgetsBefore);
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
    // The highlight is in the window while selected; the expected tree is the one without it.
    delete overlaysIn(inspected.get()).value(0);
    const QString expected = tarnwickview::get_tree(inspected.get());
    QVERIFY(expected.contains(QStringLiteral("QLabel  'Nouveau'  [#nouveau]")));

    click(inspector, "refresh");
    QCOMPARE(viewText(treeOf(inspector)), expected);
    QCOMPARE(treeOf(inspector)->currentItem()->text(0), QStringLiteral("QPushButton  'OK'  [#valider]"));
    const QList<QWidget*> overlays = overlaysIn(inspected.get());
    QCOMPARE(overlays.size(), 1);
    QCOMPARE(overlays.first()->geometry(), areaIn(inspected.get(), inspected.ok));
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
    QVERIFY(overlaysIn(inspected.get()).isEmpty());

    selectNode(inspector, label);
    QWidget* target = name.isEmpty() ? inspected.get() : inspected.get()->findChild<QWidget*>(name);
    QVERIFY(target);
    const QList<QWidget*> overlays = overlaysIn(inspected.get());
    QCOMPARE(overlays.size(), 1);
    QWidget* overlay = overlays.first();
    QCOMPARE(overlay->parentWidget(), inspected.get());
    QCOMPARE(overlay->geometry(), areaIn(inspected.get(), target));
    QVERIFY(overlay->isVisible());
    QVERIFY(overlay->testAttribute(Qt::WA_TransparentForMouseEvents));
    QCOMPARE(overlay->focusPolicy(), Qt::NoFocus);
}

void TestInspectorWindow::changingSelectionLeavesOneHighlight()
{
    InspectedWindow inspected;
    inspected.show();
    QWidget* inspector = tarnwickview::open_inspector(inspected.get());
    selectNode(inspector, QStringLiteral("QPushButton  'Valider'  [#valider]"));
    selectNode(inspector, QStringLiteral("QTableWidget  3×2"));
    const QList<QWidget*> overlays = overlaysIn(inspected.get());
    QCOMPARE(overlays.size(), 1);
    QCOMPARE(overlays.first()->geometry(), areaIn(inspected.get(), inspected.table));

    treeOf(inspector)->clearSelection();
    QVERIFY(overlaysIn(inspected.get()).isEmpty());
    QCOMPARE(textOf(inspector, "details_class"), QString());
}

void TestInspectorWindow::highlightFollowsWidgetWhenWindowResizes()
{
    InspectedWindow inspected;
    inspected.show();
    QWidget* inspector = tarnwickview::open_inspector(inspected.get());
    selectNode(inspector, QStringLiteral("QTableWidget  3×2"));
    const QRect before = areaIn(inspected.get(), inspected.table);

    inspected.get()->resize(1000, 900);
    QTRY_VERIFY(areaIn(inspected.get(), inspected.table) != before);
    QWidget* overlay = overlaysIn(inspected.get()).value(0);
    QVERIFY(overlay);
    QTRY_COMPARE(overlay->geometry(), areaIn(inspected.get(), inspected.table));
}

void TestInspectorWindow::highlightStaysInsideScrollViewport()
{
    InspectedWindow inspected;
    inspected.show();
    QWidget* inspector = tarnwickview::open_inspector(inspected.get());
    const QRect viewport = areaIn(inspected.get(), inspected.scroll->viewport());
    QVERIFY(!viewport.contains(areaIn(inspected.get(), inspected.lastLine)));

    selectNode(inspector, QStringLiteral("QLabel  'Ligne 3'  [#derniere]"));
    QWidget* overlay = overlaysIn(inspected.get()).value(0);
    QVERIFY(overlay);
    QVERIFY(!overlay->isVisible());

    inspected.scroll->ensureWidgetVisible(inspected.lastLine);
    QTRY_VERIFY(overlay->isVisible());
    QCOMPARE(overlay->geometry(), areaIn(inspected.get(), inspected.lastLine) & viewport);
}

void TestInspectorWindow::clicksPassThroughHighlight()
{
    InspectedWindow inspected;
    inspected.show();
    QWidget* inspector = tarnwickview::open_inspector(inspected.get());
    selectNode(inspector, QStringLiteral("QPushButton  'Valider'  [#valider]"));
    QSignalSpy clicked(inspected.ok, &QPushButton::clicked);

    const QPoint centre = areaIn(inspected.get(), inspected.ok).center();
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
    QVERIFY(!overlaysIn(&root).value(0)->isVisible());

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
    QCOMPARE(overlaysIn(inspected.get()).size(), 1);
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
