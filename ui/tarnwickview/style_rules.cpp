// SPDX-License-Identifier: MIT
#include "tarnwickview.h"

#include "messages_p.h"
#include "style_cascade_p.h"
#include "thread_check_p.h"

#include <QWidget>

namespace tarnwickview {

QString get_style_rules(QWidget* widget)
{
    detail::requireGuiThread("tarnwickview::get_style_rules");
    detail::requireRoot(widget);
    return detail::StyleCascade(widget).text();
}

QString get_style_report(QWidget* root)
{
    detail::requireGuiThread("tarnwickview::get_style_report");
    detail::requireRoot(root);
    return detail::styleReport(root);
}

} // namespace tarnwickview
