// SPDX-License-Identifier: MIT
#pragma once

// Private to velmora: the boundary between user callbacks and Qt's event loop.

#include <utility>

namespace velmora::detail {

/// Reports an exception that escaped the callback `where` on standard error (qCritical, category "velmora").
void reportCallbackFailure(const char* where) noexcept;

/// Runs `callback(args...)` and keeps any exception from unwinding into Qt, which does not
/// support it. Returns false, after reporting it, when the callback threw.
template<typename F, typename... Args>
bool invokeGuarded(const char* where, const F& callback, Args&&... args) noexcept
{
    try {
        callback(std::forward<Args>(args)...);
        return true;
    } catch (...) {
        reportCallbackFailure(where);
        return false;
    }
}

} // namespace velmora::detail
