// SPDX-License-Identifier: MIT
#pragma once

// Private to tarnwickview: news of the changes of one widget that no signal tells.

#include <QObject>
#include <QPointer>
#include <QTimer>

class QWidget;

namespace tarnwickview::detail {

/// Watches one widget for the changes that reach it only as events: moved, resized, shown,
/// hidden, enabled or disabled, its font, palette, style, title, parent or cursor changed. A burst
/// of them (a layout moving and resizing a widget, a window shown with its children) is told
/// once, when the event loop comes round again.
class WidgetWatcher : public QObject
{
    Q_OBJECT

public:
    /// Watches nothing yet.
    explicit WidgetWatcher(QObject* parent = nullptr);
    ~WidgetWatcher() override;
    Q_DISABLE_COPY_MOVE(WidgetWatcher)

    /// Watches `widget` instead of the widget watched so far; null watches nothing.
    void setTarget(QWidget* widget);

signals:
    /// The watched widget changed since the last time this was emitted.
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> _target;
    QTimer _pending;
};

} // namespace tarnwickview::detail
