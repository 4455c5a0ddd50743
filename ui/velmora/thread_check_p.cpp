// SPDX-License-Identifier: MIT
#include "thread_check_p.h"

#include <QCoreApplication>
#include <QThread>

#include <stdexcept>
#include <string>

namespace velmora::detail {
namespace {

// Widgets are not thread-safe: a call from another thread would create objects that the event
// loop never sees, or race with it.
bool onGuiThread()
{
    const QCoreApplication* application = QCoreApplication::instance();
    return !application || application->thread() == QThread::currentThread();
}

[[noreturn]] void throwWrongThread(std::string qualifiedOperation)
{
    qualifiedOperation += ": called from a thread other than the application object's "
                          "(widgets may only be used on that thread)";
    throw std::logic_error(qualifiedOperation);
}

} // namespace

void requireGuiThread(const char* qualifiedOperation)
{
    if (!onGuiThread()) [[unlikely]]
        throwWrongThread(qualifiedOperation);
}

void requireGuiThread(const char* scope, const char* operation)
{
    if (!onGuiThread()) [[unlikely]]
        throwWrongThread(std::string(scope) + "::" + operation);
}

} // namespace velmora::detail
