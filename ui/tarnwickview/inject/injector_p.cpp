// SPDX-License-Identifier: MIT
#include "injector_p.h"

#include <tarnwickview/tarnwickview.h>

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace tarnwickview::detail {
namespace {

constexpr Qt::KeyboardModifiers CHORD_MODIFIERS =
    Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier;

// The module sees only the public interface of the inspector, so it recognises the inspector's
// own windows, and the dialogs they open, by the namespace of their class. Without this, the
// inspector would list itself in the tree file and its key in it would inspect the inspector.
bool belongsToInspector(const QWidget* window)
{
    for (const QWidget* widget = window; widget; widget = widget->parentWidget()) {
        if (qstrncmp(widget->metaObject()->className(), "tarnwickview::", 14) == 0)
            return true;
    }
    return false;
}

bool isTransient(const QWidget* window)
{
    const Qt::WindowType type = window->windowType();
    return type == Qt::Popup || type == Qt::ToolTip || type == Qt::Desktop;
}

// Menus, completer lists and tool tips are windows to Qt but not to the user; they come and go
// with every click.
bool isApplicationWindow(const QWidget* window)
{
    return !isTransient(window) && !belongsToInspector(window);
}

// The window a pop-up belongs to: the one of the widget that opened it (a menu bar, a button, the
// menu above a submenu), else the window that was active when it opened.
QWidget* ownerOf(QWidget* window)
{
    while (window && window->windowType() == Qt::Popup) {
        QWidget* parent = window->parentWidget();
        window = parent ? parent->window() : QApplication::activeWindow();
    }
    return window;
}

} // namespace

Injector::Injector(QObject* application, std::optional<QKeyCombination> shortcut, ReportSchedule::When when)
    : QObject(application)
    , _shortcut(shortcut)
    , _reports(new ReportSchedule(when, this))
{
    application->installEventFilter(this);
}

std::optional<std::optional<QKeyCombination>> Injector::parseShortcut(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::optional<QKeyCombination>(QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_I));
    if (trimmed.compare(QLatin1String("none"), Qt::CaseInsensitive) == 0)
        return std::optional<QKeyCombination>();
    const QKeySequence sequence = QKeySequence::fromString(trimmed, QKeySequence::PortableText);
    if (sequence.count() != 1 || sequence[0].key() == Qt::Key_unknown || sequence[0].key() == 0)
        return std::nullopt;
    return std::optional<QKeyCombination>(sequence[0]);
}

bool Injector::eventFilter(QObject* watched, QEvent* event)
{
    // Called for every event of the program: the type decides first, and cheaply.
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::ChildAdded:
    case QEvent::ChildRemoved:
        break;
    case QEvent::KeyPress:
        return _shortcut && watched->isWidgetType() &&
               keyPressed(static_cast<QWidget*>(watched), static_cast<QKeyEvent*>(event));
    default:
        return false;
    }
    if (_reports->isEmpty() || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    QWidget* window = widget->window();
    if (!isApplicationWindow(window))
        return false;
    if (widget != window)
        _reports->treeChanged(window);
    else if (event->type() == QEvent::Show)
        _reports->windowShown(window);
    else if (event->type() == QEvent::Hide)
        _reports->windowHidden(window);
    else
        _reports->treeChanged(window);
    return false;
}

bool Injector::keyPressed(QWidget* receiver, const QKeyEvent* event)
{
    const QKeyCombination pressed(event->modifiers() & CHORD_MODIFIERS, Qt::Key(event->key()));
    if (pressed != *_shortcut || event->isAutoRepeat())
        return false;
    QWidget* window = ownerOf(receiver->window());
    if (!window || belongsToInspector(window) || isTransient(window))
        return false;
    // The pop-ups close first: they hold the keyboard and the pointer, and the inspector is of
    // the window beneath them.
    for (QWidget* popup = QApplication::activePopupWidget(); popup;) {
        popup->close();
        QWidget* next = QApplication::activePopupWidget();
        popup = next == popup ? nullptr : next;
    }
    open_inspector(window);
    return true;
}

} // namespace tarnwickview::detail
