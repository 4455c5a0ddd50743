// SPDX-License-Identifier: MIT
#pragma once

// Private to velmora: the logging category of every message the library prints, so that users can
// silence or route them with QT_LOGGING_RULES ("velmora.warning=false", ...).

#include <QLoggingCategory>

namespace velmora::detail {

Q_DECLARE_LOGGING_CATEGORY(lcVelmora)

} // namespace velmora::detail
