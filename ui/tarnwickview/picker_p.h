// SPDX-License-Identifier: MIT
#pragma once

// Private to tarnwickview: choosing a widget of the inspected window by clicking it.

#include <QObject>
#include <QPointer>

#include <memory>

class QPoint;
class QWidget;

namespace tarnwickview::detail {

class InspectorHighlight;

/// Picks a widget under `root` by a click in its window. Once armed (setArmed(), or Ctrl+Shift+C in
/// that window unless the application binds that key itself), the widget under the pointer is highlighted,
/// and the next press of a mouse button on a widget under `root` reports that widget through picked() and
/// disarms; the press, and the release that follows it, never reach the application. Escape disarms without
/// picking.
class WidgetPicker : public QObject
{
    Q_OBJECT

public:
    /// `root` must not be null.
    WidgetPicker(QWidget* root, QObject* parent);
    ~WidgetPicker() override;
    Q_DISABLE_COPY_MOVE(WidgetPicker)

    /// Whether the next click picks.
    bool isArmed() const { return _armed; }

    /// Arms or disarms picking.
    void setArmed(bool armed);

signals:
    /// Picking was armed or disarmed.
    void armedChanged(bool armed);
    /// `widget` was clicked while picking was armed.
    void picked(QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isInspectedWindow(const QObject* object) const;
    QWidget* widgetAt(const QPoint& globalPosition) const;
    bool filterMouse(QObject* watched, QEvent* event);

    QPointer<QWidget> _root;
    std::unique_ptr<InspectorHighlight> _hover;
    bool _armed = false;
    bool _swallowRelease = false;
};

} // namespace tarnwickview::detail
