#pragma once

// Private to tarnwickview: which widgets are the children of a node, and how a node is labelled.

#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>

#include <initializer_list>

class QMetaObject;
class QObject;
class QWidget;

namespace tarnwickview::detail {

/// Appends `pieces` to `out` in order, making room for all of them at once: QString::append
/// checks for room on every call, which costs more than copying the few characters of a label
/// piece, so a line written in one call costs one check instead of one per piece.
void _append_pieces(QString& out, std::initializer_list<QStringView> pieces);

/// The widget children of `obj` in display order: first the widgets held directly by its own
/// layout, in layout order, then every other child widget in Qt's child order. Each child widget
/// appears once; widgets that a layout item holds but that belong to another parent do not.
QList<QWidget*> _visual_children(const QObject* obj);

/// The one-line description of `obj`: a body that depends on its kind, then "  [#name]" when it
/// has an object name.
QString _node_label(const QObject* obj);

/// Appends the label of `obj` to `out`; the same text as _node_label without a string of its own.
void _append_node_label(QString& out, const QObject* obj);

/// Labels the nodes of one walk over a tree. What a label needs to know about a class (its kind,
/// its short name) is worked out once per class and kept for the life of the labeller only, so a
/// walk never sees what an earlier one learned.
class NodeLabeller
{
public:
    /// An empty labeller: nothing known about any class yet.
    NodeLabeller();
    ~NodeLabeller();
    NodeLabeller(const NodeLabeller&) = delete;
    NodeLabeller& operator=(const NodeLabeller&) = delete;

    /// Appends the label of `obj` to `out`; the same text as _append_node_label.
    void append(QString& out, const QObject* obj);

private:
    struct ClassInfo;
    QHash<const QMetaObject*, ClassInfo> _classes;
};

/// The most derived class name of `obj` that has run-time class information, without namespace.
QString _class_name(const QObject* obj);

} // namespace tarnwickview::detail
