// SPDX-License-Identifier: MIT
#include "radio_group_p.h"

#include <QWidget>

namespace velmora::detail {

RadioGroup* radioGroupOf(const QWidget* widget) noexcept
{
    // Only the plain QWidget that add_radio() makes holds one; a subclass never does.
    if (widget->metaObject() != &QWidget::staticMetaObject)
        return nullptr;
    for (QObject* child : widget->children()) {
        if (auto* group = dynamic_cast<RadioGroup*>(child))
            return group;
    }
    return nullptr;
}

} // namespace velmora::detail
