// SPDX-License-Identifier: MIT
#pragma once

// Private to the preload module: what it adds to a program that was built without the inspector.

#include "report_schedule_p.h"

#include <QKeySequence>
#include <QObject>

#include <optional>

class QKeyEvent;
class QWidget;

namespace tarnwickview::detail {

/// An application-wide event filter: its key (Ctrl+Shift+I unless told otherwise) opens the
/// inspector of the window it was pressed in, or of the window a pop-up menu belongs to, and the
/// reports of every application window are handed to a ReportSchedule. It changes nothing else in
/// the program: every other event passes untouched.
class Injector : public QObject
{
public:
    /// Watches `application`, which becomes the injector's parent. `shortcut` opens the
    /// inspector (none: only open_inspector does); `when` is when the reports are written.
    Injector(QObject* application, std::optional<QKeyCombination> shortcut, ReportSchedule::When when);
    Q_DISABLE_COPY_MOVE(Injector)

    /// The key in Qt's portable text, or empty for none, as TARNWICKVIEW_SHORTCUT gives it:
    /// `none` is no key, an empty text the default; nothing for a text that is not one key.
    static std::optional<std::optional<QKeyCombination>> parseShortcut(const QString& text);

    /// Where the reports go.
    ReportSchedule& reports() { return *_reports; }

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool keyPressed(QWidget* receiver, const QKeyEvent* event);

    std::optional<QKeyCombination> _shortcut;
    ReportSchedule* _reports;
};

} // namespace tarnwickview::detail
