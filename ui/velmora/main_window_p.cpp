// SPDX-License-Identifier: MIT
#include "main_window_p.h"

#include "callback_guard_p.h"

#include <QCloseEvent>
#include <QList>

#include <utility>

namespace velmora::detail {
namespace {

// Never destroyed: a window with static storage may be deleted after every other static.
QList<MainWindow*>& liveWindows()
{
    static auto* windows = new QList<MainWindow*>;
    return *windows;
}

} // namespace

MainWindow::MainWindow()
{
    liveWindows().append(this);
}

MainWindow::~MainWindow()
{
    liveWindows().removeOne(this);
}

void MainWindow::deleteAll()
{
    while (!liveWindows().isEmpty())
        delete liveWindows().constLast();
}

void MainWindow::setCloseCallback(Callback callback)
{
    _on_close = std::move(callback);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!_on_close) {
        QMainWindow::closeEvent(event);
        return;
    }
    // Copied so that a callback which installs another handler does not destroy itself mid-call.
    const Callback callback = _on_close;
    if (invokeGuarded("set_on_close", callback))
        event->accept();
    else
        event->ignore();
}

} // namespace velmora::detail
