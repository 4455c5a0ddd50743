// SPDX-License-Identifier: MIT
#pragma once

// Private to tarnwickview: which widgets are the children of a node, and in which order.

#include <QList>

class QObject;
class QWidget;

namespace tarnwickview::detail {

/// The widget children of `obj` in display order: first the widgets held directly by its own
/// layout, in layout order, then every other child widget in Qt's child order. Each child widget
/// appears once; widgets that a layout item holds but that belong to another parent do not.
QList<QWidget*> visualChildren(const QObject* obj);

} // namespace tarnwickview::detail
