#pragma once

// Private to tarnwickview: which widgets are the children of a node, and how a node is labelled.

#include <QList>
#include <QString>

class QObject;
class QWidget;

namespace tarnwickview::detail {

/// The widget children of `obj` in display order: first the widgets held directly by its own
/// layout, in layout order, then every other child widget in Qt's child order. Each child widget
/// appears once; widgets that a layout item holds but that belong to another parent do not.
QList<QWidget*> _visual_children(const QObject* obj);

/// The one-line description of `obj`: a body that depends on its kind, then "  [#name]" when it
/// has an object name.
QString _node_label(const QObject* obj);

/// Appends the label of `obj` to `out`; the same text as _node_label without a string of its own.
void _append_node_label(QString& out, const QObject* obj);

/// The most derived class name of `obj` that has run-time class information, without namespace.
QString _class_name(const QObject* obj);

} // namespace tarnwickview::detail
