// SPDX-License-Identifier: MIT
#pragma once

// Finds the notification banners of a window, for the tests that count or measure them.

#include <velmora/ui_wrapper.h>

#include <QLabel>
#include <QLayout>
#include <QList>

/// Banners float over the central widget: its direct QLabel children that no layout holds.
inline QList<QLabel*> bannersOf(const velmora::UIWrapper& ui)
{
    QWidget* central = ui.window->centralWidget();
    QList<QLabel*> banners;
    for (QLabel* label : central->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (central->layout()->indexOf(label) < 0)
            banners.append(label);
    }
    return banners;
}
