// SPDX-License-Identifier: MIT
#pragma once

// Private to tarnwickview: the logging category of the library's diagnostics.

#include <QLoggingCategory>

namespace tarnwickview::detail {

/// The category "tarnwickview": every message the library prints on standard error goes through
/// it, so that QT_LOGGING_RULES can silence or route them.
Q_DECLARE_LOGGING_CATEGORY(lcTarnwickview)

} // namespace tarnwickview::detail
