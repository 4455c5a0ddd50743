// SPDX-License-Identifier: MIT
#include "logging_p.h"

namespace tarnwickview::detail {

Q_LOGGING_CATEGORY(lcTarnwickview, "tarnwickview")

} // namespace tarnwickview::detail
