// SPDX-License-Identifier: MIT
#pragma once

// Starts an example's window as its program does, and saves the pictures the guide shows.

#include <velmora/ui_wrapper.h>

#include <QCoreApplication>
#include <QMainWindow>
#include <QPixmap>
#include <QTest>
#include <QTimer>

/// Seals and shows the window through run(), leaves the event loop at its first turn (the window
/// stays open) and waits until the window is active, so that its shortcuts answer.
inline bool start(velmora::UIWrapper& ui)
{
    QTimer::singleShot(0, ui.app, [] { QCoreApplication::exit(0); });
    if (ui.run() != 0)
        return false;
    ui.window->activateWindow();
    return QTest::qWaitForWindowActive(ui.window);
}

/// Writes a picture of `window` to `name` in the test's build folder.
inline bool saveScreenshot(QWidget* window, const char* name)
{
    return window->grab().save(QStringLiteral(SCREENSHOT_DIR "/") + QLatin1StringView(name), "PNG");
}
