// SPDX-License-Identifier: MIT
#include "callback_guard_p.h"

#include "logging_p.h"

#include <exception>

namespace velmora::detail {

void reportCallbackFailure(const char* where) noexcept
{
    // Called from inside a catch block: rethrow to learn what was caught.
    try {
        throw;
    } catch (const std::exception& error) {
        qCCritical(lcVelmora, "velmora : le callback de %s a levé une exception : %s", where, error.what());
    } catch (...) {
        qCCritical(lcVelmora, "velmora : le callback de %s a levé une exception inconnue", where);
    }
}

} // namespace velmora::detail
