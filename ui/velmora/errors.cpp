// SPDX-License-Identifier: MIT
#include "errors.h"

namespace velmora {

// Defined here so that the class's type information lives in the library, once.
ValueError::~ValueError() = default;

} // namespace velmora
