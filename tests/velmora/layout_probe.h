// SPDX-License-Identifier: MIT
#pragma once

// Helpers shared by the section tests: a widget to build sections on, and a compact
// description of what a box layout holds, so that a test can compare a whole layout at once.

#include <velmora/section_access_p.h>

#include <QBoxLayout>
#include <QStringList>
#include <QWidget>

/// A widget carrying a box layout of the given direction, ready for a Section.
struct Host
{
    explicit Host(Qt::Orientation orientation = Qt::Vertical)
        : layout(orientation == Qt::Vertical ? static_cast<QBoxLayout*>(new QVBoxLayout(&widget))
                                             : static_cast<QBoxLayout*>(new QHBoxLayout(&widget)))
    {
    }

    QWidget widget;
    QBoxLayout* layout;
};

/// The layout a section fills.
inline QBoxLayout* layoutOf(const velmora::Section& section)
{
    return velmora::detail::SectionAccess::layout(section);
}

/// One entry per layout item, in order: "QLabel:2" for a widget of that class with stretch
/// factor 2, "stretch:1" for an elastic space of factor 1, "spacing:12" for a fixed 12 px space.
inline QStringList itemsOf(const QBoxLayout* layout)
{
    const bool horizontal =
        layout->direction() == QBoxLayout::LeftToRight || layout->direction() == QBoxLayout::RightToLeft;
    QStringList items;
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (const QWidget* widget = item->widget()) {
            items << QStringLiteral("%1:%2")
                         .arg(QLatin1StringView(widget->metaObject()->className()))
                         .arg(layout->stretch(i));
        } else if (const QSpacerItem* spacer = item->spacerItem()) {
            const QSize hint = spacer->sizeHint();
            items << (spacer->expandingDirections() != Qt::Orientations()
                          ? QStringLiteral("stretch:%1").arg(layout->stretch(i))
                          : QStringLiteral("spacing:%1").arg(horizontal ? hint.width() : hint.height()));
        } else {
            items << QStringLiteral("other");
        }
    }
    return items;
}

inline QStringList itemsOf(const velmora::Section& section)
{
    return itemsOf(layoutOf(section));
}

/// The widget at position `index` of the section's layout, cast to `W`.
template<typename W> W* widgetAt(const velmora::Section& section, int index)
{
    QLayoutItem* item = layoutOf(section)->itemAt(index);
    return item ? qobject_cast<W*>(item->widget()) : nullptr;
}
