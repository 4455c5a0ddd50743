#pragma once

// Private to velmora: the floating banner shown by UIWrapper::notify.

#include <QLabel>

namespace velmora::detail {

/**
 * Label flottant positionné en bas de la fenêtre parente.
 *
 * Laid over `parent` rather than placed in a layout: centred, its bottom edge 20 pixels above
 * the parent's, coloured by `kind`. It is on screen once constructed and deletes itself after
 * `duration` milliseconds of event-loop time. The parent owns it until then.
 */
class NotificationBanner : public QLabel
{
public:
    NotificationBanner(QWidget* parent, const QString& text, const QString& kind, int duration);
};

/// The style sheet of a notification kind; kinds outside the four fall back to "info".
QString notificationStyle(const QString& kind);

} // namespace velmora::detail
