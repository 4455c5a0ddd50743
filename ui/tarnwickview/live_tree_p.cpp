// SPDX-License-Identifier: MIT
#include "live_tree_p.h"

#include "node_label_p.h"
#include "visual_children_p.h"

#include <QApplication>
#include <QChildEvent>
#include <QPalette>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QWidget>

namespace tarnwickview::detail {
namespace {

// Bursts of changes (a window filling itself, a layout settling) end up in one update.
constexpr int UPDATE_INTERVAL_MS = 250;

// A row that knows its widget: the pointer empties when the widget is destroyed, and the key
// stays the address the row is filed under.
class NodeItem : public QTreeWidgetItem
{
public:
    explicit NodeItem(QWidget* widget)
        : QTreeWidgetItem(UserType)
        , widget(widget)
        , key(widget)
    {
    }

    QPointer<QWidget> widget;
    const QWidget* key;
};

NodeItem* node(QTreeWidgetItem* item)
{
    return static_cast<NodeItem*>(item);
}

const NodeItem* node(const QTreeWidgetItem* item)
{
    return static_cast<const NodeItem*>(item);
}

bool isChildWidgetEvent(QEvent* event)
{
    const QObject* child = static_cast<QChildEvent*>(event)->child();
    return child && child->isWidgetType();
}

} // namespace

LiveTree::LiveTree(QWidget* root, QTreeWidget* view, QObject* parent)
    : QObject(parent)
    , _root(root)
    , _view(view)
{
    _timer.setSingleShot(true);
    _timer.setInterval(UPDATE_INTERVAL_MS);
    connect(&_timer, &QTimer::timeout, this, &LiveTree::update);
    // Watching the application's events instead of each widget's leaves the inspected widgets
    // untouched, and widgets added later need no filter of their own.
    qApp->installEventFilter(this);
    refresh();
}

LiveTree::~LiveTree()
{
    qApp->removeEventFilter(this);
}

void LiveTree::refresh()
{
    _timer.stop();
    _touched.clear();
    QWidget* selected = selectedWidget();
    QSet<const QWidget*> collapsed;
    if (_view->topLevelItemCount() > 0)
        collectCollapsed(_view->topLevelItem(0), collapsed);
    const int scroll = _view->verticalScrollBar()->value();
    {
        const QSignalBlocker blocker(_view);
        _view->clear();
        _items.clear();
        if (_root) {
            // Built detached and inserted once, so the view lays out the whole tree a single time.
            NodeLabeller labeller;
            QTreeWidgetItem* top = makeItem(_root, labeller);
            addChildren(top, _root, labeller);
            _view->addTopLevelItem(top);
            applyGrey(top, true);
            _view->expandAll();
            if (!collapsed.isEmpty())
                restoreExpansion(top, collapsed);
        }
    }
    if (QTreeWidgetItem* item = _items.value(selected))
        _view->setCurrentItem(item);
    _view->verticalScrollBar()->setValue(scroll);
    emit updated();
}

QWidget* LiveTree::widgetOf(const QTreeWidgetItem* item) const
{
    return item ? node(item)->widget.data() : nullptr;
}

QWidget* LiveTree::selectedWidget() const
{
    const QList<QTreeWidgetItem*> items = _view->selectedItems();
    return items.isEmpty() ? nullptr : widgetOf(items.first());
}

bool LiveTree::select(QWidget* widget)
{
    if (!_items.contains(widget) || _timer.isActive())
        update();
    QTreeWidgetItem* item = _items.value(widget);
    if (!item || widgetOf(item) != widget)
        return false;
    _view->setCurrentItem(item);
    _view->scrollToItem(item);
    return true;
}

bool LiveTree::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ChildAdded:
    case QEvent::ChildRemoved:
        if (isChildWidgetEvent(event))
            touch(watched);
        break;
    case QEvent::Paint:
        if (watched->isWidgetType())
            repainted(static_cast<const QWidget*>(watched));
        break;
    case QEvent::LayoutRequest:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
        touch(watched);
        break;
    default:
        break;
    }
    return false;
}

void LiveTree::repainted(const QWidget* widget)
{
    // Most repaints change nothing a row shows: a blinking cursor, the pointer passing over a
    // button. Some changes are told by nothing else, though: a line edit's placeholder, a slider's
    // value, the items of a combo box, a tab bar's or a table's viewport redrawn for its parent.
    // So the rows of the widget and of its parent are compared with what they would read now,
    // and only a difference counts as a change.
    const QTreeWidgetItem* item = _items.value(widget);
    if (!item)
        return;
    NodeLabeller labeller;
    if (readsDifferently(item, widget, labeller)) {
        touch(widget);
        return;
    }
    const QWidget* parent = widget->parentWidget();
    const QTreeWidgetItem* parentItem = parent ? _items.value(parent) : nullptr;
    if (parentItem && readsDifferently(parentItem, parent, labeller))
        touch(parent);
}

bool LiveTree::readsDifferently(const QTreeWidgetItem* item, const QWidget* widget, NodeLabeller& labeller)
{
    return item->text(0) != labeller.label(widget) ||
           item->data(0, DETAIL_ROLE).toString() != labeller.detail(widget);
}

void LiveTree::touch(const QObject* object)
{
    // Only widgets that have a row matter: a new widget is announced by its parent, which has.
    if (!object || !object->isWidgetType())
        return;
    const auto* widget = static_cast<const QWidget*>(object);
    if (!_items.contains(widget))
        return;
    _touched.insert(widget);
    if (!_timer.isActive())
        _timer.start();
}

void LiveTree::nameChanged()
{
    touch(sender());
}

void LiveTree::update()
{
    _timer.stop();
    if (!_root)
        return;
    const QSet<const QWidget*> touched = std::exchange(_touched, {});
    QWidget* selected = selectedWidget();
    bool rebuilt = false;
    NodeLabeller labeller;
    {
        const QSignalBlocker blocker(_view);
        for (const QWidget* key : touched) {
            QTreeWidgetItem* item = _items.value(key);
            // A destroyed widget's address may still be filed; its row's pointer is empty.
            QWidget* widget = item ? widgetOf(item) : nullptr;
            if (!widget)
                continue;
            relabel(item, widget, labeller);
            if (!childrenMatch(item, widget)) {
                rebuildChildren(item, widget, labeller);
                rebuilt = true;
                continue;
            }
            for (int i = 0; i < item->childCount(); ++i)
                relabel(item->child(i), widgetOf(item->child(i)), labeller);
        }
        if (rebuilt && selectedWidget() != selected) {
            if (QTreeWidgetItem* item = _items.value(selected))
                item->setSelected(true);
        }
    }
    if (rebuilt && selected) {
        if (QTreeWidgetItem* item = _items.value(selected)) {
            const QSignalBlocker blocker(_view);
            _view->setCurrentItem(item);
        }
    }
    emit updated();
}

bool LiveTree::childrenMatch(const QTreeWidgetItem* item, const QWidget* widget) const
{
    const QList<QWidget*> children = visualChildren(widget);
    if (children.size() != item->childCount())
        return false;
    for (int i = 0; i < item->childCount(); ++i) {
        if (widgetOf(item->child(i)) != children.at(i))
            return false;
    }
    return true;
}

void LiveTree::rebuildChildren(QTreeWidgetItem* item, QWidget* widget, NodeLabeller& labeller)
{
    QSet<const QWidget*> collapsed;
    collectCollapsed(item, collapsed);
    const int scroll = _view->verticalScrollBar()->value();
    const QList<QTreeWidgetItem*> old = item->takeChildren();
    for (QTreeWidgetItem* child : old)
        forget(child);
    qDeleteAll(old);

    // As for a full build: detached first, then one insertion.
    auto* detached = new QTreeWidgetItem;
    addChildren(detached, widget, labeller);
    item->addChildren(detached->takeChildren());
    delete detached;
    applyGrey(item, true);
    _view->expandRecursively(_view->indexFromItem(item));
    if (!collapsed.isEmpty())
        restoreExpansion(item, collapsed);
    _view->verticalScrollBar()->setValue(scroll);
}

void LiveTree::addChildren(QTreeWidgetItem* item, QWidget* widget, NodeLabeller& labeller)
{
    for (QWidget* child : visualChildren(widget)) {
        QTreeWidgetItem* childItem = makeItem(child, labeller);
        item->addChild(childItem);
        addChildren(childItem, child, labeller);
    }
}

QTreeWidgetItem* LiveTree::makeItem(QWidget* widget, NodeLabeller& labeller)
{
    auto* item = new NodeItem(widget);
    item->setText(0, labeller.label(widget));
    if (const QString detail = labeller.detail(widget); !detail.isEmpty())
        item->setData(0, DETAIL_ROLE, detail);
    _items.insert(widget, item);
    // Renaming sends no event; the signal is the only news of it.
    connect(widget, &QObject::objectNameChanged, this, &LiveTree::nameChanged, Qt::UniqueConnection);
    return item;
}

void LiveTree::forget(QTreeWidgetItem* item)
{
    const auto found = _items.constFind(node(item)->key);
    if (found != _items.cend() && *found == item)
        _items.erase(found);
    for (int i = 0; i < item->childCount(); ++i)
        forget(item->child(i));
}

void LiveTree::relabel(QTreeWidgetItem* item, QWidget* widget, NodeLabeller& labeller)
{
    if (!widget)
        return;
    const QString label = labeller.label(widget);
    if (item->text(0) != label)
        item->setText(0, label);
    const QString detail = labeller.detail(widget);
    if (item->data(0, DETAIL_ROLE).toString() != detail)
        item->setData(0, DETAIL_ROLE, detail.isEmpty() ? QVariant() : QVariant(detail));
    applyGrey(item, false);
}

void LiveTree::applyGrey(QTreeWidgetItem* item, bool recursive)
{
    const QWidget* widget = widgetOf(item);
    const bool grey = widget && _root && !widget->isVisibleTo(_root) && widget != _root;
    const bool wasGrey = item->data(0, Qt::ForegroundRole).isValid();
    if (grey != wasGrey) {
        if (grey)
            item->setForeground(0, _view->palette().brush(QPalette::Disabled, QPalette::Text));
        else
            item->setData(0, Qt::ForegroundRole, QVariant());
        // Hiding a widget hides what it holds, which may hear nothing of it.
        recursive = true;
    }
    if (!recursive)
        return;
    for (int i = 0; i < item->childCount(); ++i)
        applyGrey(item->child(i), true);
}

void LiveTree::collectCollapsed(const QTreeWidgetItem* item, QSet<const QWidget*>& collapsed) const
{
    if (item->childCount() == 0)
        return;
    if (!item->isExpanded())
        collapsed.insert(node(item)->key);
    for (int i = 0; i < item->childCount(); ++i)
        collectCollapsed(item->child(i), collapsed);
}

void LiveTree::restoreExpansion(QTreeWidgetItem* item, const QSet<const QWidget*>& collapsed)
{
    if (item->childCount() == 0)
        return;
    if (collapsed.contains(node(item)->key))
        item->setExpanded(false);
    for (int i = 0; i < item->childCount(); ++i)
        restoreExpansion(item->child(i), collapsed);
}

} // namespace tarnwickview::detail
