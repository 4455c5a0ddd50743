// SPDX-License-Identifier: MIT
#include "visual_children_p.h"

#include <QHash>
#include <QLayout>
#include <QVarLengthArray>
#include <QWidget>

#include <algorithm>

namespace tarnwickview::detail {
namespace {

// Which entries of a child list the layout pass has placed; inner nodes have few children, and
// their marks stay on the stack.
using Placed = QVarLengthArray<bool, 32>;

// Widgets are usually created in the order they are laid out, and adding them to the layout
// makes them children of its widget, so the layout order is the child order. That case is
// recognised in a single forward pass over both lists, with no table and without reading the
// children. It fails as soon as a layout widget is not found further on in the child list: a
// foreign widget, a repeat or another order; `placed` and `result` are then left half-filled.
bool placeInChildOrder(const QLayout* layout, const QObjectList& objects, Placed& placed,
                       QList<QWidget*>& result)
{
    qsizetype next = 0;
    for (int i = 0; i < layout->count(); ++i) {
        const QLayoutItem* item = layout->itemAt(i);
        QWidget* widget = item ? item->widget() : nullptr;
        if (!widget)
            continue;
        while (next < objects.size() && objects.at(next) != widget)
            ++next;
        if (next == objects.size())
            return false;
        placed[next] = true;
        result.append(widget);
        ++next;
    }
    return true;
}

// Any layout: where each direct child stands in the child list tells a child from a foreign
// widget and marks it placed by hashing, without searching the list or reading the child itself,
// which keeps wide layouts linear and light on memory traffic.
void placeByPosition(const QLayout* layout, const QObjectList& objects, Placed& placed,
                     QList<QWidget*>& result)
{
    QHash<const QObject*, qsizetype> position;
    position.reserve(objects.size());
    for (qsizetype i = 0; i < objects.size(); ++i)
        position.insert(objects.at(i), i);

    for (int i = 0; i < layout->count(); ++i) {
        const QLayoutItem* item = layout->itemAt(i);
        QWidget* widget = item ? item->widget() : nullptr;
        const auto found = widget ? position.constFind(widget) : position.cend();
        if (found == position.cend() || placed[*found])
            continue;
        placed[*found] = true;
        result.append(widget);
    }
}

} // namespace

QList<QWidget*> visualChildren(const QObject* obj)
{
    // Most widgets are leaves; they cost neither a layout look-up nor a list.
    const QObjectList& objects = obj->children();
    if (objects.isEmpty())
        return {};
    const QLayout* layout = obj->isWidgetType() ? static_cast<const QWidget*>(obj)->layout() : nullptr;
    QList<QWidget*> result;
    if (!layout) {
        for (QObject* child : objects) {
            if (child->isWidgetType())
                result.append(static_cast<QWidget*>(child));
        }
        return result;
    }

    result.reserve(objects.size());
    Placed placed(objects.size(), false);
    if (!placeInChildOrder(layout, objects, placed, result)) {
        result.clear();
        std::fill(placed.begin(), placed.end(), false);
        placeByPosition(layout, objects, placed, result);
    }
    for (qsizetype i = 0; i < objects.size(); ++i) {
        QObject* child = objects.at(i);
        if (!placed[i] && child->isWidgetType())
            result.append(static_cast<QWidget*>(child));
    }
    return result;
}

} // namespace tarnwickview::detail
