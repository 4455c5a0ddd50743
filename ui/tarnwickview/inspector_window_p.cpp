#include "inspector_window_p.h"

#include "layout_panel_p.h"
#include "messages_p.h"
#include "node_label_p.h"
#include "overlay_p.h"
#include "property_table_p.h"
#include "style_rule_p.h"
#include "tarnwickview.h"
#include "tree_filter_p.h"
#include "visual_children_p.h"

#include <QBoxLayout>
#include <QClipboard>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMetaEnum>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTabWidget>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <exception>

namespace tarnwickview::detail {
namespace {

// Edits reach the inspected window once typing pauses, so that a half-typed rule does not
// restyle the whole window on every key.
constexpr int APPLY_DELAY_MS = 300;

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

} // namespace

InspectorWindow::InspectorWindow(QWidget* root)
    : _root(root)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("tarnwickview_inspector"));
    resize(960, 640);

    auto* refreshButton = button(QStringLiteral("Actualiser"), "refresh", this);
    auto* saveButton = button(QStringLiteral("Enregistrer l'arbre…"), "save_tree", this);
    auto* qssButton = button(QStringLiteral("Générer le QSS…"), "generate_qss", this);
    auto* toolbar = new QHBoxLayout;
    toolbar->addWidget(refreshButton);
    toolbar->addWidget(saveButton);
    toolbar->addWidget(qssButton);
    toolbar->addStretch();

    _tree = new QTreeWidget(this);
    _tree->setObjectName(QStringLiteral("tree"));
    _tree->setHeaderHidden(true);
    _tree->setColumnCount(1);
    _tree->setSelectionMode(QAbstractItemView::SingleSelection);
    _tree->setUniformRowHeights(false);
    _filter = new TreeFilterField(
        _tree,
        [this](const QTreeWidgetItem* item) -> const QObject* {
            return _nodes[item->data(0, Qt::UserRole).toULongLong()];
        },
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

    auto* styleBox = new QGroupBox(QStringLiteral("Feuille de style de la fenêtre"), this);
    _styleSheet = new QPlainTextEdit(styleBox);
    _styleSheet->setObjectName(QStringLiteral("style_sheet"));
    _styleSheet->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* applyButton = button(QStringLiteral("Appliquer"), "apply_style", styleBox);
    _ruleButton = button(QStringLiteral("Règle de style"), "style_rule", styleBox);
    _ruleButton->setToolTip(QStringLiteral("Ajoute une règle pour le widget sélectionné et copie son "
                                           "sélecteur dans le presse-papiers"));
    auto* styleButtons = new QHBoxLayout;
    styleButtons->addWidget(_ruleButton);
    styleButtons->addStretch();
    styleButtons->addWidget(applyButton);
    auto* styleLayout = new QVBoxLayout(styleBox);
    styleLayout->addWidget(_styleSheet);
    styleLayout->addLayout(styleButtons);

    _properties = new PropertyTable(this);
    _layout = new LayoutPanel(this);
    auto* pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("details_pages"));
    pages->addTab(details, QStringLiteral("Détails"));
    pages->addTab(_properties, QStringLiteral("Propriétés"));
    pages->addTab(_layout, QStringLiteral("Mise en page"));

    auto* side = new QWidget(this);
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(pages, 3);
    sideLayout->addWidget(styleBox, 2);

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

    _applyTimer.setSingleShot(true);
    _applyTimer.setInterval(APPLY_DELAY_MS);
    connect(&_applyTimer, &QTimer::timeout, this, &InspectorWindow::applyStyleSheet);
    connect(_styleSheet, &QPlainTextEdit::textChanged, &_applyTimer, qOverload<>(&QTimer::start));
    connect(applyButton, &QPushButton::clicked, this, &InspectorWindow::applyStyleSheet);
    connect(_tree, &QTreeWidget::itemSelectionChanged, this, &InspectorWindow::selectionChanged);
    connect(refreshButton, &QPushButton::clicked, this, &InspectorWindow::refresh);
    connect(_ruleButton, &QPushButton::clicked, this, &InspectorWindow::insertStyleRule);
    connect(_properties, &PropertyTable::written, this, [this] { showDetails(selectedWidget()); });
    connect(_properties, &PropertyTable::refused, this, [this](const QString& property) {
        _status->setText(QStringLiteral("Le widget n'a pas accepté cette valeur de « %1 ».").arg(property));
    });
    connect(saveButton, &QPushButton::clicked, this, [this] {
        chooseFile(QStringLiteral("Enregistrer l'arbre"), QStringLiteral("ui_tree.txt"),
                   QStringLiteral("Texte (*.txt)"), QStringLiteral("txt"), [this](const QString& path) {
                       writeWithoutHighlight(
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
                       writeWithoutHighlight(
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
    _properties->disconnect(this);
    _styleSheet->disconnect(this);
    _styleSheet->disconnect(&_applyTimer);
    removeHighlight();
}

void InspectorWindow::refresh()
{
    const QPointer<QWidget> selected = selectedWidget();
    // The highlight is a child of the inspected window and would otherwise be listed.
    removeHighlight();
    buildTree();
    _filter->apply();
    if (_root)
        setWindowTitle(titleFor(_root));
    loadStyleSheet();

    if (selected) {
        for (QTreeWidgetItemIterator it(_tree); *it; ++it) {
            if (_nodes[(*it)->data(0, Qt::UserRole).toULongLong()] == selected) {
                _tree->setCurrentItem(*it);
                _tree->scrollToItem(*it);
                return;
            }
        }
    }
    showDetails(nullptr);
}

void InspectorWindow::closeEvent(QCloseEvent* event)
{
    removeHighlight();
    QWidget::closeEvent(event);
}

void InspectorWindow::buildTree()
{
    const QSignalBlocker blocker(_tree);
    _tree->clear();
    _nodes.clear();
    if (!_root)
        return;
    // Built detached and inserted once, so the view lays out the whole tree a single time.
    NodeLabeller labeller;
    QTreeWidgetItem* top = addItem(nullptr, _root, labeller);
    addChildren(top, _root, labeller);
    _tree->addTopLevelItem(top);
    _tree->expandAll();
}

void InspectorWindow::addChildren(QTreeWidgetItem* item, QWidget* widget, NodeLabeller& labeller)
{
    for (QWidget* child : visualChildren(widget)) {
        if (child == _overlay)
            continue;
        addChildren(addItem(item, child, labeller), child, labeller);
    }
}

QTreeWidgetItem* InspectorWindow::addItem(QTreeWidgetItem* parent, QWidget* widget, NodeLabeller& labeller)
{
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem;
    item->setText(0, labeller.label(widget));
    item->setData(0, Qt::UserRole, qulonglong(_nodes.size()));
    _nodes.emplace_back(widget);
    return item;
}

QWidget* InspectorWindow::selectedWidget() const
{
    const QList<QTreeWidgetItem*> items = _tree->selectedItems();
    if (items.isEmpty())
        return nullptr;
    return _nodes[items.first()->data(0, Qt::UserRole).toULongLong()];
}

void InspectorWindow::selectionChanged()
{
    removeHighlight();
    QWidget* widget = selectedWidget();
    showDetails(widget);
    if (widget)
        _overlay = new InspectorOverlay(widget);
    else if (!_tree->selectedItems().isEmpty())
        _status->setText(QStringLiteral("Ce widget n'existe plus : actualisez l'arbre."));
}

void InspectorWindow::removeHighlight()
{
    delete _overlay.data();
}

void InspectorWindow::showDetails(QWidget* widget)
{
    _properties->setTarget(widget);
    _layout->setTarget(widget);
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

void InspectorWindow::loadStyleSheet()
{
    if (!_root)
        return;
    // An edit still waiting for its delay is applied first, so reloading never drops it.
    if (_applyTimer.isActive())
        applyStyleSheet();
    if (_styleSheet->toPlainText() == _root->styleSheet())
        return;
    const QSignalBlocker blocker(_styleSheet);
    _styleSheet->setPlainText(_root->styleSheet());
}

void InspectorWindow::applyStyleSheet()
{
    _applyTimer.stop();
    if (!_root)
        return;
    const QString text = _styleSheet->toPlainText();
    if (text == _root->styleSheet())
        return;
    _root->setStyleSheet(text);
    showDetails(selectedWidget());
}

void InspectorWindow::insertStyleRule()
{
    const QWidget* widget = selectedWidget();
    if (!widget)
        return;
    const QString selector = styleSelector(widget);
    insertRuleSkeleton(_styleSheet, selector);
    QGuiApplication::clipboard()->setText(selector);
    _status->setText(QStringLiteral("Sélecteur « %1 » copié dans le presse-papiers.").arg(selector));
}

void InspectorWindow::chooseFile(const QString& caption, const QString& suggested, const QString& filter,
                                 const QString& suffix, std::function<void(const QString&)> write)
{
    // Opened without a nested event loop: the inspected window keeps running meanwhile.
    auto* dialog = new QFileDialog(this, caption, QString(), filter);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setDefaultSuffix(suffix);
    dialog->selectFile(suggested);
    connect(dialog, &QFileDialog::fileSelected, this, std::move(write));
    dialog->open();
}

void InspectorWindow::writeWithoutHighlight(const std::function<QString()>& write, const QString& failure)
{
    // What is written describes the inspected tree, which the highlight is no part of.
    removeHighlight();
    try {
        _status->setText(write());
    } catch (const std::exception& error) {
        // An exception must not cross the event loop; the user reads the failure here instead.
        _status->setText(failure + QString::fromUtf8(error.what()));
    }
    if (QWidget* widget = selectedWidget())
        _overlay = new InspectorOverlay(widget);
}

} // namespace tarnwickview::detail
