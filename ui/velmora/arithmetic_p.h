// SPDX-License-Identifier: MIT
#pragma once

// Private to velmora: integer arithmetic shared by the window placement code.

namespace velmora::detail {

/// `value / 2` rounded toward minus infinity (C++ division rounds toward zero).
constexpr int floorHalf(int value)
{
    return value >= 0 ? value / 2 : -((-(value + 1)) / 2) - 1;
}

static_assert(floorHalf(1) == 0 && floorHalf(-1) == -1 && floorHalf(-2) == -1 && floorHalf(-3) == -2);

} // namespace velmora::detail
