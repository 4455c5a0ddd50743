// SPDX-License-Identifier: MIT
#include "thread_check_p.h"

#include <QCoreApplication>
#include <QThread>

#include <stdexcept>
#include <string>

namespace tarnwickview::detail {
namespace {

// Widgets are not thread-safe: reading them from another thread races with the event loop, and
// the inspector's objects would live on a thread that has no event loop.
[[noreturn]] void throwWrongThread(const char* qualifiedOperation)
{
    throw std::logic_error(std::string(qualifiedOperation) +
                           ": called from a thread other than the application object's "
                           "(widgets may only be used on that thread)");
}

} // namespace

void requireGuiThread(const char* qualifiedOperation)
{
    const QCoreApplication* application = QCoreApplication::instance();
    if (application && application->thread() != QThread::currentThread()) [[unlikely]]
        throwWrongThread(qualifiedOperation);
}

} // namespace tarnwickview::detail
