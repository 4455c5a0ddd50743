#include "overlay_p.h"

#include <QEvent>
#include <QPainter>

namespace tarnwickview::detail {
namespace {

const QColor FILL(51, 153, 255, 70);
const QColor EDGE(51, 153, 255, 220);

} // namespace

InspectorOverlay::InspectorOverlay(QWidget* target)
    : _target(target)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // The window is not told of its new child, so nothing in it reacts to the highlight.
    setAttribute(Qt::WA_NoChildEventsForParent);
    setFocusPolicy(Qt::NoFocus);
    setParent(target->window());
    connect(target, &QObject::destroyed, this, &QObject::deleteLater);

    // A parent that moves takes the target along without telling it, so the whole chain up to
    // the window is watched.
    for (QWidget* widget = target; widget; widget = widget->parentWidget()) {
        widget->installEventFilter(this);
        _watched.append(widget);
        if (widget == parentWidget())
            break;
    }
    follow();
}

InspectorOverlay::~InspectorOverlay()
{
    for (const QPointer<QWidget>& widget : std::as_const(_watched)) {
        if (widget)
            widget->removeEventFilter(this);
    }
}

bool InspectorOverlay::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
        follow();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void InspectorOverlay::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), FILL);
    painter.setPen(QPen(EDGE, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(1, 1, -1, -1));
}

void InspectorOverlay::follow()
{
    QWidget* window = parentWidget();
    // A target moved into another window can no longer be mapped into this one.
    if (!_target || !window || !(window == _target || window->isAncestorOf(_target))) {
        hide();
        return;
    }
    QRect area(_target->mapTo(window, QPoint(0, 0)), _target->size());
    for (QWidget* ancestor = _target->parentWidget(); ancestor && ancestor != window;
         ancestor = ancestor->parentWidget())
        area &= QRect(ancestor->mapTo(window, QPoint(0, 0)), ancestor->size());
    area &= window->rect();
    setGeometry(area);
    setVisible(_target->isVisible() && !area.isEmpty());
    raise();
}

} // namespace tarnwickview::detail
