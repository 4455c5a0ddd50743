// SPDX-License-Identifier: MIT
#pragma once

// Private to velmora: the floating banner shown by UIWrapper::notify.

#include <QLabel>

namespace velmora::detail {

/**
 * Label flottant positionné en bas de la fenêtre parente.
 *
 * Laid over `parent` rather than placed in a layout: centred, its bottom edge 20 pixels above
 * the parent's, coloured by `kind`. Its place is worked out once: at once on a visible parent,
 * when the parent is first shown (and laid out) otherwise; it does not follow later resizes.
 * It takes no mouse input, so clicks and wheel turns reach the widgets under it. It is on screen
 * once constructed (or once its parent is) and deletes itself after `duration` milliseconds of
 * event-loop time, counted from construction. The parent owns it until then.
 */
class NotificationBanner : public QLabel
{
public:
    NotificationBanner(QWidget* parent, const QString& text, const QString& kind, int duration);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void place();

    bool _placed = false;
};

/// The style sheet of a notification kind; kinds outside the four fall back to "info".
QString notificationStyle(const QString& kind);

} // namespace velmora::detail
