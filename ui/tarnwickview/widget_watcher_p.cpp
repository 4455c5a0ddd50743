// SPDX-License-Identifier: MIT
#include "widget_watcher_p.h"

#include <QEvent>
#include <QWidget>

#include <algorithm>
#include <iterator>

namespace tarnwickview::detail {
namespace {

constexpr QEvent::Type WATCHED_EVENTS[] = {
    QEvent::Move,
    QEvent::Resize,
    QEvent::Show,
    QEvent::Hide,
    QEvent::ShowToParent,
    QEvent::HideToParent,
    QEvent::EnabledChange,
    QEvent::FontChange,
    QEvent::PaletteChange,
    QEvent::StyleChange,
    QEvent::LayoutDirectionChange,
    QEvent::LocaleChange,
    QEvent::WindowTitleChange,
    QEvent::WindowIconChange,
    QEvent::WindowStateChange,
    QEvent::ActivationChange,
    QEvent::ModifiedChange,
    QEvent::ParentChange,
    QEvent::CursorChange,
    QEvent::ToolTipChange,
    QEvent::ContentsRectChange,
    QEvent::ReadOnlyChange,
};

bool isWatched(QEvent::Type type)
{
    return std::find(std::begin(WATCHED_EVENTS), std::end(WATCHED_EVENTS), type) != std::end(WATCHED_EVENTS);
}

} // namespace

WidgetWatcher::WidgetWatcher(QObject* parent)
    : QObject(parent)
{
    _pending.setSingleShot(true);
    _pending.setInterval(0);
    connect(&_pending, &QTimer::timeout, this, &WidgetWatcher::changed);
}

WidgetWatcher::~WidgetWatcher()
{
    if (_target)
        _target->removeEventFilter(this);
}

void WidgetWatcher::setTarget(QWidget* widget)
{
    if (widget == _target)
        return;
    if (_target)
        _target->removeEventFilter(this);
    _pending.stop();
    _target = widget;
    if (_target)
        _target->installEventFilter(this);
}

bool WidgetWatcher::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == _target && isWatched(event->type()) && !_pending.isActive())
        _pending.start();
    return false;
}

} // namespace tarnwickview::detail
