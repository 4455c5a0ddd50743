// SPDX-License-Identifier: MIT
#include "picker_p.h"

#include "highlight_p.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace tarnwickview::detail {
namespace {

// Orange, so that the widget about to be picked is told apart from the selected one.
const QColor HOVER_COLOUR(255, 140, 0);

constexpr Qt::KeyboardModifiers PICK_MODIFIERS = Qt::ControlModifier | Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers CHORD_MODIFIERS =
    Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier;

bool isPickShortcut(const QEvent* event)
{
    const auto* key = static_cast<const QKeyEvent*>(event);
    return key->key() == Qt::Key_C && (key->modifiers() & CHORD_MODIFIERS) == PICK_MODIFIERS &&
           !key->isAutoRepeat();
}

bool isUnder(const QWidget* widget, const QWidget* root)
{
    for (; widget; widget = widget->parentWidget()) {
        if (widget == root)
            return true;
    }
    return false;
}

} // namespace

WidgetPicker::WidgetPicker(QWidget* root, QObject* parent)
    : QObject(parent)
    , _root(root)
    , _hover(
          std::make_unique<InspectorHighlight>(HOVER_COLOUR, QStringLiteral("tarnwickview_pick_highlight")))
{
    // Clicks are taken before any widget sees them, at the level of the application, which
    // leaves the inspected widgets without a filter of ours.
    qApp->installEventFilter(this);
}

WidgetPicker::~WidgetPicker()
{
    qApp->removeEventFilter(this);
}

void WidgetPicker::setArmed(bool armed)
{
    if (armed == _armed)
        return;
    _armed = armed;
    if (!armed)
        _hover->setTarget(nullptr);
    else if (_root)
        _hover->setTarget(widgetAt(QCursor::pos()));
    emit armedChanged(armed);
}

bool WidgetPicker::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        // Only the press is taken, never the shortcut override before it: when the application
        // binds the same key, its shortcut fires and no press follows, so the application wins.
        if (isPickShortcut(event) && isInspectedWindow(watched)) {
            setArmed(true);
            return true;
        }
        if (_armed && static_cast<const QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            setArmed(false);
            return true;
        }
        return false;
    case QEvent::Leave:
        // The pointer left the inspected window: nothing there is under it any more. Passing onto
        // the outline, which lies over the window, is no leaving.
        if (_armed && watched->isWindowType() && isInspectedWindow(watched) &&
            !_root->window()->frameGeometry().contains(QCursor::pos()))
            _hover->setTarget(nullptr);
        return false;
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
        return filterMouse(watched, event);
    default:
        return false;
    }
}

bool WidgetPicker::filterMouse(QObject* watched, QEvent* event)
{
    if (!(_armed || _swallowRelease) || !isInspectedWindow(watched))
        return false;
    const auto* mouse = static_cast<const QMouseEvent*>(event);
    if (event->type() == QEvent::MouseButtonRelease) {
        const bool swallow = _swallowRelease;
        _swallowRelease = false;
        return swallow;
    }
    QWidget* widget = widgetAt(mouse->globalPosition().toPoint());
    if (event->type() == QEvent::MouseMove) {
        _hover->setTarget(widget);
        return false;
    }
    if (!widget)
        return false;
    _swallowRelease = true;
    setArmed(false);
    emit picked(widget);
    return true;
}

bool WidgetPicker::isInspectedWindow(const QObject* object) const
{
    if (!_root || !object)
        return false;
    QWidget* window = _root->window();
    if (object->isWidgetType())
        return static_cast<const QWidget*>(object)->window() == window;
    return object->isWindowType() && object == window->windowHandle();
}

QWidget* WidgetPicker::widgetAt(const QPoint& globalPosition) const
{
    QWidget* window = _root->window();
    const QPoint position = window->mapFromGlobal(globalPosition);
    if (!window->rect().contains(position))
        return nullptr;
    QWidget* widget = window->childAt(position);
    if (!widget)
        widget = window;
    return isUnder(widget, _root) ? widget : nullptr;
}

} // namespace tarnwickview::detail
