// SPDX-License-Identifier: MIT
#pragma once

// Private to velmora: the main window class, which lets the wrapper take over close handling.

#include <velmora/callbacks.h>

#include <QMainWindow>

namespace velmora::detail {

/**
 * A QMainWindow whose close handling can be replaced by a callback.
 *
 * It declares no meta-object of its own, so Qt and the inspector see it as a QMainWindow.
 */
class MainWindow : public QMainWindow
{
public:
    MainWindow();
    ~MainWindow() override;
    Q_DISABLE_COPY_MOVE(MainWindow)

    /// Deletes every MainWindow that still exists, newest first.
    static void deleteAll();

    /// Replaces the close handling: `callback` runs on every close event, then the close is
    /// accepted. When the callback throws, the failure is reported and the window stays open.
    void setCloseCallback(Callback callback);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Callback _on_close;
};

} // namespace velmora::detail
