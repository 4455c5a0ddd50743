#pragma once

// Private to tarnwickview: the highlight laid over the widget selected in the inspector.

#include <QList>
#include <QPointer>
#include <QWidget>

namespace tarnwickview::detail {

/// A translucent frame over `target`, made a child of the target's window so that it is drawn
/// above the target's content. It takes no input and no focus, and follows the target while the
/// target or one of its ancestors moves, is resized, shown or hidden; it covers only the part of
/// the target that its ancestors leave visible.
class InspectorOverlay : public QWidget
{
    Q_OBJECT

public:
    /// `target` must not be null; the overlay is owned by the target's window.
    explicit InspectorOverlay(QWidget* target);
    ~InspectorOverlay() override;
    Q_DISABLE_COPY_MOVE(InspectorOverlay)

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void follow();

    QPointer<QWidget> _target;
    QList<QPointer<QWidget>> _watched;
};

} // namespace tarnwickview::detail
