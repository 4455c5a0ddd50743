// SPDX-License-Identifier: MIT
#include "injector_p.h"

#include <tarnwickview/tarnwickview.h>

#include <QKeyEvent>
#include <QWidget>

namespace tarnwickview::detail {
namespace {

constexpr Qt::KeyboardModifiers SHORTCUT_MODIFIERS = Qt::ControlModifier | Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers CHORD_MODIFIERS =
    Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier;

// The module sees only the public interface of the inspector, so it recognises the inspector's
// own windows, and the dialogs they open, by the namespace of their class. Without this, the
// inspector would list itself in the tree file and Ctrl+Shift+I in it would inspect the
// inspector.
bool belongsToInspector(const QWidget* window)
{
    for (const QWidget* widget = window; widget; widget = widget->parentWidget()) {
        if (qstrncmp(widget->metaObject()->className(), "tarnwickview::", 14) == 0)
            return true;
    }
    return false;
}

// Menus, completer lists and tool tips are windows to Qt but not to the user; they come and go
// with every click.
bool isApplicationWindow(const QWidget* window)
{
    const Qt::WindowType type = window->windowType();
    return type != Qt::Popup && type != Qt::ToolTip && type != Qt::Desktop && !belongsToInspector(window);
}

} // namespace

Injector::Injector(QObject* application, const QString& treeFile)
    : QObject(application)
{
    if (!treeFile.isEmpty())
        _trees.emplace(treeFile);
    application->installEventFilter(this);
}

bool Injector::eventFilter(QObject* watched, QEvent* event)
{
    // Called for every event of the program: the type decides first, and cheaply.
    switch (event->type()) {
    case QEvent::Show:
        if (_trees && watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow())
            windowShown(static_cast<QWidget*>(watched));
        return false;
    case QEvent::KeyPress:
        return watched->isWidgetType() &&
               keyPressed(static_cast<QWidget*>(watched), static_cast<QKeyEvent*>(event));
    default:
        return false;
    }
}

void Injector::windowShown(QWidget* window)
{
    if (_written.contains(window) || !isApplicationWindow(window))
        return;
    _written.insert(window);
    // A later window may be given the address of a destroyed one; it is new all the same.
    connect(window, &QObject::destroyed, this, [this, window] { _written.remove(window); });
    _trees->append(get_tree(window));
}

bool Injector::keyPressed(QWidget* receiver, const QKeyEvent* event)
{
    if (event->key() != Qt::Key_I || (event->modifiers() & CHORD_MODIFIERS) != SHORTCUT_MODIFIERS ||
        event->isAutoRepeat())
        return false;
    QWidget* window = receiver->window();
    if (belongsToInspector(window))
        return false;
    open_inspector(window);
    return true;
}

} // namespace tarnwickview::detail
