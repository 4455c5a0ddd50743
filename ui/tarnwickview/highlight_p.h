// SPDX-License-Identifier: MIT
#pragma once

// Private to tarnwickview: the frame laid around a widget of the inspected window.

#include <QColor>
#include <QList>
#include <QPointer>
#include <QRegion>
#include <QWidget>

namespace tarnwickview::detail {

/// A frameless top-level tool window laid over `target` on the screen, shaped to a thin frame
/// along its edges so that everything inside it stays visible and takes the pointer. Being a window of its own,
/// it is no part of the inspected tree: no child list, layout or tree text ever sees it. It takes
/// no input, never activates, does not keep the application running, and follows the target when
/// the target or one of its ancestors moves, is resized, shown, hidden or reparented, and while
/// the target's window is minimized; it covers only the part of the target that its ancestors
/// leave visible, and is transient for the target's window, so that it stays with that window
/// rather than above every other.
class InspectorHighlight : public QWidget
{
    Q_OBJECT

public:
    /// A highlight drawn in `colour` over nothing yet, named `name`; it is owned by whoever
    /// made it.
    InspectorHighlight(const QColor& colour, const QString& name);
    ~InspectorHighlight() override;
    Q_DISABLE_COPY_MOVE(InspectorHighlight)

    /// Lays the highlight over `target` (null hides it) and follows it from then on.
    void setTarget(QWidget* target);

    /// The shape of a highlight of `size`: a frame a few pixels wide, or the whole rectangle when
    /// it is too small to have an inside.
    static QRegion outline(const QSize& size);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void watchAncestors();
    void unwatch();
    void follow();
    void stayWith(const QWidget* window);

    QColor _colour;
    QPointer<QWidget> _target;
    QMetaObject::Connection _targetGone;
    QList<QPointer<QWidget>> _watched;
};

} // namespace tarnwickview::detail
