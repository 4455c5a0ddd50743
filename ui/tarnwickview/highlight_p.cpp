// SPDX-License-Identifier: MIT
#include "highlight_p.h"

#include <QEvent>
#include <QPainter>
#include <QRegion>
#include <QWindow>

namespace tarnwickview::detail {
namespace {

constexpr int EDGE = 2;

} // namespace

InspectorHighlight::InspectorHighlight(const QColor& colour, const QString& name)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput |
                           Qt::WindowDoesNotAcceptFocus | Qt::NoDropShadowWindowHint)
    , _colour(colour)
{
    setObjectName(name);
    // The X server shows the title to tools that list windows, and nowhere else.
    setWindowTitle(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_QuitOnClose, false);
    setFocusPolicy(Qt::NoFocus);
}

InspectorHighlight::~InspectorHighlight()
{
    unwatch();
}

void InspectorHighlight::setTarget(QWidget* target)
{
    if (target == _target)
        return;
    unwatch();
    disconnect(_targetGone);
    _target = target;
    if (target)
        _targetGone = connect(target, &QObject::destroyed, this, &QWidget::hide);
    watchAncestors();
    follow();
}

void InspectorHighlight::watchAncestors()
{
    // A parent that moves takes the target along without telling it, and the window's own moves
    // change where the target is on the screen, so the whole chain up to the window is watched.
    for (QWidget* widget = _target; widget; widget = widget->parentWidget()) {
        widget->installEventFilter(this);
        _watched.append(widget);
        if (widget->isWindow())
            break;
    }
}

void InspectorHighlight::unwatch()
{
    for (const QPointer<QWidget>& widget : std::as_const(_watched)) {
        if (widget)
            widget->removeEventFilter(this);
    }
    _watched.clear();
}

bool InspectorHighlight::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ParentChange:
        unwatch();
        watchAncestors();
        follow();
        break;
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::WindowStateChange:
        follow();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void InspectorHighlight::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), _colour);
}

QRegion InspectorHighlight::outline(const QSize& size)
{
    const QRect whole(QPoint(0, 0), size);
    const QRect inside = whole.adjusted(EDGE, EDGE, -EDGE, -EDGE);
    return inside.isEmpty() ? QRegion(whole) : QRegion(whole).subtracted(inside);
}

void InspectorHighlight::follow()
{
    // A minimized window keeps its widgets visible to Qt, but nothing of it is on the screen.
    if (!_target || !_target->isVisible() || _target->window()->isMinimized()) {
        hide();
        return;
    }
    QWidget* window = _target->window();
    QRect area(_target->mapTo(window, QPoint(0, 0)), _target->size());
    for (QWidget* ancestor = _target->parentWidget(); ancestor && ancestor != window;
         ancestor = ancestor->parentWidget())
        area &= QRect(ancestor->mapTo(window, QPoint(0, 0)), ancestor->size());
    area &= window->rect();
    if (area.isEmpty()) {
        hide();
        return;
    }
    setGeometry(QRect(window->mapToGlobal(area.topLeft()), area.size()));
    // Only the frame is part of the window: without a compositor a translucent fill is drawn
    // opaque, and the X server takes the shape as the input region too, so clicks, presses and
    // wheel turns inside the frame reach the program whatever the input flags are worth there.
    if (const QRegion shape = outline(area.size()); shape != mask())
        setMask(shape);
    stayWith(window);
    show();
}

void InspectorHighlight::stayWith(const QWidget* window)
{
    // Without a parent widget, the highlight is a window of its own that the window system would
    // keep above every other; transient for the inspected window, it is raised, lowered and moved
    // between desktops along with it.
    QWindow* inspected = window->windowHandle();
    if (!inspected)
        return;
    if (!windowHandle())
        create();
    if (windowHandle()->transientParent() != inspected)
        windowHandle()->setTransientParent(inspected);
}

} // namespace tarnwickview::detail
