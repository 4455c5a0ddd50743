// SPDX-License-Identifier: MIT
#include "notification_banner_p.h"

#include "arithmetic_p.h"

#include <QTimer>

#include <algorithm>
#include <array>

namespace velmora::detail {
namespace {

struct NotificationStyle
{
    QLatin1StringView kind;
    QLatin1StringView sheet;
};

// The notification style table; the last entry is the fallback.
constexpr std::array<NotificationStyle, 4> NOTIF_STYLES{{
    {QLatin1StringView("success"),
     QLatin1StringView("background-color: #2d6a2d; color: white; border-radius: 6px; padding: 8px 14px;")},
    {QLatin1StringView("error"),
     QLatin1StringView("background-color: #8b0000; color: white; border-radius: 6px; padding: 8px 14px;")},
    {QLatin1StringView("warning"),
     QLatin1StringView("background-color: #7a5c00; color: white; border-radius: 6px; padding: 8px 14px;")},
    {QLatin1StringView("info"),
     QLatin1StringView("background-color: #1a3a6b; color: white; border-radius: 6px; padding: 8px 14px;")},
}};

} // namespace

QString notificationStyle(const QString& kind)
{
    for (const auto& style : NOTIF_STYLES) {
        if (kind == style.kind)
            return style.sheet;
    }
    return NOTIF_STYLES.back().sheet;
}

NotificationBanner::NotificationBanner(QWidget* parent, const QString& text, const QString& kind,
                                       int duration)
    : QLabel(text, parent)
{
    // It usually lies over the dialog's own buttons, which must stay usable while it is up.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setStyleSheet(notificationStyle(kind));
    setAlignment(Qt::AlignCenter);
    adjustSize();
    setFixedWidth(std::max(width() + 40, 300));
    // A parent never shown yet still has Qt's default size, not the one its layout will give it.
    if (parent->isVisible())
        place();
    show();
    raise();
    // The timer is the banner's child: a banner destroyed early, with its window, takes its timer
    // along instead of leaving it pending in the event dispatcher for the rest of `duration`.
    // Qt refuses negative timeouts and would leave the banner on screen for good.
    auto* timer = new QTimer(this);
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, this, &QObject::deleteLater);
    timer->start(std::max(duration, 0));
}

void NotificationBanner::showEvent(QShowEvent* event)
{
    // Shown with its parent: the parent's geometry has been laid out by now.
    if (!_placed)
        place();
    QLabel::showEvent(event);
}

void NotificationBanner::place()
{
    _placed = true;
    const QWidget* parent = parentWidget();
    move(floorHalf(parent->width() - width()), parent->height() - height() - 20);
}

} // namespace velmora::detail
