// SPDX-License-Identifier: MIT
#pragma once

// Private to tarnwickview: the inspector's tree view, kept in step with the inspected widgets.

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QTimer>

class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace tarnwickview::detail {

class NodeLabeller;

/// The data role of a row that holds what its label leaves out (NodeLabeller::detail), drawn as a
/// muted suffix after the label.
constexpr int DETAIL_ROLE = Qt::UserRole + 1;

/// Fills `view` with one row per widget of the tree under `root`, labelled and ordered as get_tree
/// describes it, with what the label leaves out (NodeLabeller::detail) under DETAIL_ROLE, and keeps
/// it so while the widgets change: widgets added, removed, reordered or
/// reparented, renamed, shown or hidden, texts and tab titles changed. Changes are noticed as the
/// application's events pass by (a repaint only when it shows a row that reads differently now,
/// so that a blinking cursor or a hover costs no update) and gathered for one update at most
/// every 250 ms, which touches only the rows of the widgets that changed; the selection, the
/// collapsed rows and the scroll position survive it. Rows of widgets that are not visible within `root` are
/// greyed. A widget hidden itself repaints nothing and asks its parent for no layout, so a text it changes
/// while hidden reaches its row when it is shown again (or on "Actualiser").
class LiveTree : public QObject
{
    Q_OBJECT

public:
    /// `root` must not be null; `view` is the owner's, and must outlive this object.
    LiveTree(QWidget* root, QTreeWidget* view, QObject* parent);
    ~LiveTree() override;
    Q_DISABLE_COPY_MOVE(LiveTree)

    /// Rebuilds every row from the widgets as they are now.
    void refresh();

    /// The widget of `item`, or null once it is gone.
    QWidget* widgetOf(const QTreeWidgetItem* item) const;

    /// The widget of the selected row, or null.
    QWidget* selectedWidget() const;

    /// Selects and shows the row of `widget`, bringing the rows up to date first when the widget
    /// is not listed yet. Returns false, selecting nothing, when it is not under the root.
    bool select(QWidget* widget);

signals:
    /// Rows were rebuilt or relabelled; the selected widget may be another or none.
    void updated();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void repainted(const QWidget* widget);
    static bool readsDifferently(const QTreeWidgetItem* item, const QWidget* widget, NodeLabeller& labeller);
    void touch(const QObject* widget);
    void nameChanged();
    void update();
    bool childrenMatch(const QTreeWidgetItem* item, const QWidget* widget) const;
    void rebuildChildren(QTreeWidgetItem* item, QWidget* widget, NodeLabeller& labeller);
    void addChildren(QTreeWidgetItem* item, QWidget* widget, NodeLabeller& labeller);
    QTreeWidgetItem* makeItem(QWidget* widget, NodeLabeller& labeller);
    void forget(QTreeWidgetItem* item);
    void relabel(QTreeWidgetItem* item, QWidget* widget, NodeLabeller& labeller);
    void applyGrey(QTreeWidgetItem* item, bool recursive);
    void collectCollapsed(const QTreeWidgetItem* item, QSet<const QWidget*>& collapsed) const;
    void restoreExpansion(QTreeWidgetItem* item, const QSet<const QWidget*>& collapsed);

    QPointer<QWidget> _root;
    QTreeWidget* _view = nullptr;
    QHash<const QWidget*, QTreeWidgetItem*> _items;
    QSet<const QWidget*> _touched;
    QTimer _timer;
};

} // namespace tarnwickview::detail
