// SPDX-License-Identifier: MIT
#include "inspector_window_p.h"

#include "highlight_p.h"
#include "layout_panel_p.h"
#include "live_tree_p.h"
#include "messages_p.h"
#include "node_label_p.h"
#include "picker_p.h"
#include "property_table_p.h"
#include "rules_panel_p.h"
#include "style_editor_p.h"
#include "style_rule_p.h"
#include "tarnwickview.h"
#include "tree_filter_p.h"
#include "widget_watcher_p.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMetaEnum>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTreeWidget>
#include <QWindow>

#include <exception>

namespace tarnwickview::detail {
namespace {

// Blue, the colour of the selection.
const QColor SELECTION_COLOUR(51, 153, 255);

QPushButton* button(const QString& text, const char* name, QWidget* parent)
{
    auto* result = new QPushButton(text, parent);
    result->setObjectName(QLatin1String(name));
    return result;
}

// Values are shown as plain text: an object name or a style sheet holding "<" must not be read
// as markup.
QLabel* valueLabel(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setWordWrap(true);
    return label;
}

// A row's detail is drawn after its label, in the muted colour of a hint, where there is room
// left: the label, which names the node as get_tree does, always comes first and whole.
class RowDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        const QString detail = index.data(DETAIL_ROLE).toString();
        if (detail.isEmpty())
            return;
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
        const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, opt.widget);
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, opt.widget) + 1;
        const int start = text.left() + margin + opt.fontMetrics.horizontalAdvance(opt.text + SEPARATOR);
        const QRect room(start, text.top(), text.right() - margin - start, text.height());
        if (room.width() <= 0)
            return;
        painter->save();
        painter->setFont(opt.font);
        painter->setPen(opt.state.testFlag(QStyle::State_Selected)
                            ? opt.palette.color(QPalette::HighlightedText)
                            : opt.palette.color(QPalette::Disabled, QPalette::Text));
        painter->drawText(room, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                          opt.fontMetrics.elidedText(detail, Qt::ElideRight, room.width()));
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        const QString detail = index.data(DETAIL_ROLE).toString();
        if (!detail.isEmpty())
            size.rwidth() += option.fontMetrics.horizontalAdvance(SEPARATOR + detail);
        return size;
    }

private:
    static constexpr QLatin1StringView SEPARATOR{"  "};
};

QString policyName(QSizePolicy::Policy policy)
{
    const char* key = QMetaEnum::fromType<QSizePolicy::Policy>().valueToKey(policy);
    return key ? QString::fromLatin1(key) : QString::number(int(policy));
}

QString geometryText(const QRect& geometry)
{
    return QStringLiteral("position (%1, %2), taille %3×%4")
        .arg(geometry.x())
        .arg(geometry.y())
        .arg(geometry.width())
        .arg(geometry.height());
}

QString visibilityText(const QWidget* widget)
{
    if (widget->isVisible())
        return QStringLiteral("visible");
    if (widget->isHidden())
        return QStringLiteral("masqué");
    return QStringLiteral("masqué par un parent");
}

QString titleFor(const QWidget* root)
{
    const QString title = root->windowTitle();
    return QStringLiteral("Inspecteur — ") + (title.isEmpty() ? shortClassName(root) : title);
}

// Whether `key` is bound to a shortcut or an action of the inspector's own `window`.
bool isOwnShortcut(const QObject* window, const QKeyEvent* key)
{
    const QKeySequence pressed(QKeyCombination(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key())));
    for (const QShortcut* shortcut : window->findChildren<QShortcut*>()) {
        if (shortcut->isEnabled() && shortcut->keys().contains(pressed))
            return true;
    }
    for (const QAction* action : window->findChildren<QAction*>()) {
        if (action->isEnabled() && action->shortcuts().contains(pressed))
            return true;
    }
    return false;
}

} // namespace

InspectorWindow::InspectorWindow(QWidget* root)
    : _root(root)
    , _highlight(
          std::make_unique<InspectorHighlight>(SELECTION_COLOUR, QStringLiteral("tarnwickview_highlight")))
{
    setAttribute(Qt::WA_DeleteOnClose);
    // A tool beside the application: closing the application's last window still ends it.
    setAttribute(Qt::WA_QuitOnClose, false);
    setObjectName(QStringLiteral("tarnwickview_inspector"));
    resize(960, 640);
    installEventFilter(this);

    auto* refreshButton = button(QStringLiteral("Actualiser"), "refresh", this);
    _pickButton = button(QStringLiteral("Choisir"), "pick", this);
    _pickButton->setCheckable(true);
    _pickButton->setToolTip(QStringLiteral("Cliquez sur un widget de la fenêtre inspectée pour le "
                                           "sélectionner (Ctrl+Maj+C dans cette fenêtre, Échap pour "
                                           "annuler)"));
    _ruleButton = button(QStringLiteral("Règle de style"), "style_rule", this);
    _ruleButton->setToolTip(QStringLiteral("Ajoute à la feuille de style une règle pour le widget "
                                           "sélectionné et copie son sélecteur dans le presse-papiers"));
    auto* saveButton = button(QStringLiteral("Enregistrer l'arbre…"), "save_tree", this);
    auto* qssButton = button(QStringLiteral("Générer le QSS…"), "generate_qss", this);
    auto* toolbar = new QHBoxLayout;
    toolbar->addWidget(refreshButton);
    toolbar->addWidget(_pickButton);
    toolbar->addWidget(_ruleButton);
    toolbar->addWidget(saveButton);
    toolbar->addWidget(qssButton);
    toolbar->addStretch();

    _tree = new QTreeWidget(this);
    _tree->setObjectName(QStringLiteral("tree"));
    _tree->setHeaderHidden(true);
    _tree->setColumnCount(1);
    _tree->setItemDelegate(new RowDelegate(_tree));
    _tree->setSelectionMode(QAbstractItemView::SingleSelection);
    _tree->setUniformRowHeights(true);
    _filter = new TreeFilterField(
        _tree, [this](const QTreeWidgetItem* item) -> const QObject* { return _liveTree->widgetOf(item); },
        this);
    auto* treeColumn = new QWidget(this);
    auto* treeLayout = new QVBoxLayout(treeColumn);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    treeLayout->addWidget(_filter);
    treeLayout->addWidget(_tree, 1);

    auto* details = new QGroupBox(QStringLiteral("Widget sélectionné"), this);
    auto* form = new QFormLayout(details);
    _class = valueLabel("details_class", details);
    _name = valueLabel("details_name", details);
    _geometry = valueLabel("details_geometry", details);
    _sizePolicy = valueLabel("details_size_policy", details);
    _visibility = valueLabel("details_visibility", details);
    _ownStyleSheet = valueLabel("details_style_sheet", details);
    form->addRow(QStringLiteral("Classe :"), _class);
    form->addRow(QStringLiteral("Nom d'objet :"), _name);
    form->addRow(QStringLiteral("Géométrie :"), _geometry);
    form->addRow(QStringLiteral("Politique de taille :"), _sizePolicy);
    form->addRow(QStringLiteral("Visibilité :"), _visibility);
    form->addRow(QStringLiteral("Feuille de style :"), _ownStyleSheet);

    _styleEditor = new StyleSheetEditor(root, this);

    _properties = new PropertyTable(this);
    _layout = new LayoutPanel(this);
    auto* pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("details_pages"));
    pages->addTab(details, QStringLiteral("Détails"));
    pages->addTab(_properties, QStringLiteral("Propriétés"));
    pages->addTab(_layout, QStringLiteral("Mise en page"));
    _rules = new RulesPanel(root, this);
    pages->addTab(_rules, QStringLiteral("Règles"));

    auto* side = new QWidget(this);
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(pages, 3);
    sideLayout->addWidget(_styleEditor, 2);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(treeColumn);
    splitter->addWidget(side);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);

    _status = valueLabel("status", this);

    auto* column = new QVBoxLayout(this);
    column->addLayout(toolbar);
    column->addWidget(splitter, 1);
    column->addWidget(_status);

    _liveTree = new LiveTree(root, _tree, this);
    _picker = new WidgetPicker(root, this);
    _watcher = new WidgetWatcher(this);

    connect(_styleEditor, &StyleSheetEditor::message, _status, &QLabel::setText);
    connect(_styleEditor, &StyleSheetEditor::applied, this,
            [this] { showDetails(_liveTree->selectedWidget()); });
    connect(_watcher, &WidgetWatcher::changed, this, [this] { showDetails(_liveTree->selectedWidget()); });
    connect(_tree, &QTreeWidget::itemSelectionChanged, this, &InspectorWindow::selectionChanged);
    connect(_liveTree, &LiveTree::updated, this, &InspectorWindow::treeUpdated);
    connect(_picker, &WidgetPicker::picked, this, &InspectorWindow::picked);
    connect(_picker, &WidgetPicker::armedChanged, _pickButton, &QPushButton::setChecked);
    connect(_pickButton, &QPushButton::toggled, _picker, &WidgetPicker::setArmed);
    connect(refreshButton, &QPushButton::clicked, this, &InspectorWindow::refresh);
    connect(_ruleButton, &QPushButton::clicked, this, &InspectorWindow::insertStyleRule);
    connect(_rules, &RulesPanel::ruleClicked, this, &InspectorWindow::showRule);
    connect(_properties, &PropertyTable::written, this, [this] { showDetails(_liveTree->selectedWidget()); });
    connect(_properties, &PropertyTable::refused, this, [this](const QString& property) {
        _status->setText(QStringLiteral("Le widget n'a pas accepté cette valeur de « %1 ».").arg(property));
    });
    connect(saveButton, &QPushButton::clicked, this, [this] {
        chooseFile(QStringLiteral("Enregistrer l'arbre"), QStringLiteral("ui_tree.txt"),
                   QStringLiteral("Texte (*.txt)"), QStringLiteral("txt"), [this](const QString& path) {
                       write(
                           [this, path] {
                               save_tree(_root, path);
                               return treeSavedMessage(path);
                           },
                           QStringLiteral("Impossible d'enregistrer l'arbre : "));
                   });
    });
    connect(qssButton, &QPushButton::clicked, this, [this] {
        chooseFile(QStringLiteral("Générer le QSS"), QStringLiteral("style.qss"),
                   QStringLiteral("Feuilles de style (*.qss)"), QStringLiteral("qss"),
                   [this](const QString& path) {
                       write(
                           [this, path] {
                               generate_qss(_root, path);
                               return qssGeneratedMessage(path);
                           },
                           QStringLiteral("Impossible de générer le QSS : "));
                   });
    });

    refresh();
}

InspectorWindow::~InspectorWindow()
{
    // The children outlive this part of the object; none of their signals may reach it.
    _tree->disconnect(this);
    _liveTree->disconnect(this);
    _picker->disconnect(this);
    _watcher->disconnect(this);
    _styleEditor->disconnect(this);
    _properties->disconnect(this);
    _rules->disconnect(this);
}

void InspectorWindow::refresh()
{
    _liveTree->refresh();
    if (_root)
        setWindowTitle(titleFor(_root));
    _styleEditor->reload();
}

void InspectorWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (!event->isAccepted())
        return;
    _picker->setArmed(false);
    _highlight->setTarget(nullptr);
    emit closed();
}

bool InspectorWindow::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::WindowBlocked:
        stayAboveModal();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

bool InspectorWindow::eventFilter(QObject* watched, QEvent* event)
{
    // Claiming the override tells Qt that the key is for the focus widget, which keeps every
    // shortcut and action of the application from firing while the user types here.
    if (event->type() == QEvent::ShortcutOverride && watched->isWidgetType() &&
        !isOwnShortcut(static_cast<QWidget*>(watched)->window(), static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void InspectorWindow::stayAboveModal()
{
    // Qt lets a window that is transient for the modal window take input beside it, so the
    // inspector follows the topmost modal window, and lets go of it once it is hidden.
    QWindow* handle = windowHandle();
    if (!handle)
        return;
    QWindow* modal = QGuiApplication::modalWindow();
    // A dialog the inspector opened for itself blocks it, as it should.
    if (modal == handle->transientParent() || (modal && handle->isAncestorOf(modal)))
        return;
    disconnect(_modalHidden);
    handle->setTransientParent(modal);
    if (!modal)
        return;
    // Queued: Qt takes a hidden window off its modal list only after telling that it is hidden.
    _modalHidden = connect(
        modal, &QWindow::visibleChanged, this,
        [this, modal](bool visible) {
            if (visible || !windowHandle() || windowHandle()->transientParent() != modal)
                return;
            windowHandle()->setTransientParent(nullptr);
            stayAboveModal();
        },
        Qt::QueuedConnection);
}

void InspectorWindow::selectionChanged()
{
    QWidget* widget = _liveTree->selectedWidget();
    _highlight->setTarget(widget);
    showDetails(widget);
    if (!widget && !_tree->selectedItems().isEmpty())
        _status->setText(QStringLiteral("Ce widget n'existe plus : actualisez l'arbre."));
}

void InspectorWindow::treeUpdated()
{
    // New and relabelled rows are filtered before the view paints them.
    _filter->apply();
    QWidget* widget = _liveTree->selectedWidget();
    _highlight->setTarget(widget);
    showDetails(widget);
}

void InspectorWindow::picked(QWidget* widget)
{
    if (_liveTree->select(widget))
        raise();
}

void InspectorWindow::showDetails(QWidget* widget)
{
    _watcher->setTarget(widget);
    _properties->setTarget(widget);
    _layout->setTarget(widget);
    _rules->setTarget(widget);
    _ruleButton->setEnabled(widget != nullptr);
    if (!widget) {
        for (QLabel* label : {_class, _name, _geometry, _sizePolicy, _visibility, _ownStyleSheet})
            label->clear();
        return;
    }
    _class->setText(QString::fromLatin1(widget->metaObject()->className()));
    _name->setText(widget->objectName().isEmpty() ? QStringLiteral("(aucun)") : widget->objectName());
    _geometry->setText(geometryText(widget->geometry()));
    const QSizePolicy policy = widget->sizePolicy();
    _sizePolicy->setText(
        QStringLiteral("horizontale %1, verticale %2")
            .arg(policyName(policy.horizontalPolicy()), policyName(policy.verticalPolicy())));
    _visibility->setText(visibilityText(widget));
    _ownStyleSheet->setText(widget->styleSheet().isEmpty() ? QStringLiteral("(aucune)")
                                                           : widget->styleSheet());
}

void InspectorWindow::insertStyleRule()
{
    const QWidget* widget = _liveTree->selectedWidget();
    if (!widget)
        return;
    const QString selector = _root ? exactSelector(widget, _root) : QString();
    if (selector.isEmpty()) {
        _status->setText(QStringLiteral("Aucun sélecteur ne désigne ce widget seul dans la fenêtre."));
        return;
    }
    insertRuleSkeleton(_styleEditor->textEdit(), selector);
    QGuiApplication::clipboard()->setText(selector);
    _status->setText(QStringLiteral("Sélecteur « %1 » copié dans le presse-papiers.").arg(selector));
}

void InspectorWindow::showRule(int line, int column)
{
    QPlainTextEdit* editor = _styleEditor->textEdit();
    const QTextBlock block = editor->document()->findBlockByNumber(line - 1);
    if (!block.isValid())
        return;
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + qMin(column - 1, block.length() - 1));
    editor->setTextCursor(cursor);
    editor->ensureCursorVisible();
    editor->setFocus(Qt::OtherFocusReason);
}

void InspectorWindow::chooseFile(const QString& caption, const QString& suggested, const QString& filter,
                                 const QString& suffix, std::function<void(const QString&)> write)
{
    // Opened without a nested event loop: the inspected window keeps running meanwhile.
    auto* dialog = new QFileDialog(this, caption, QString(), filter);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->installEventFilter(this);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setDefaultSuffix(suffix);
    dialog->selectFile(suggested);
    connect(dialog, &QFileDialog::fileSelected, this, std::move(write));
    dialog->open();
}

void InspectorWindow::write(const std::function<QString()>& write, const QString& failure)
{
    try {
        _status->setText(write());
    } catch (const std::exception& error) {
        // An exception must not cross the event loop; the user reads the failure here instead.
        _status->setText(failure + QString::fromUtf8(error.what()));
    }
}

} // namespace tarnwickview::detail
