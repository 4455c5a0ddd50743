// SPDX-License-Identifier: MIT
#include "logging_p.h"

namespace velmora::detail {

Q_LOGGING_CATEGORY(lcVelmora, "velmora")

} // namespace velmora::detail
