// SPDX-License-Identifier: MIT
#pragma once

// The heap in use, for the tests that prove memory does not pile up. AddressSanitizer replaces
// malloc, so its figures say nothing about the library there.

#include <cstddef>

#include <malloc.h>

namespace heap {

#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool MEASURABLE = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool MEASURABLE = false;
#else
inline constexpr bool MEASURABLE = true;
#endif
#else
inline constexpr bool MEASURABLE = true;
#endif

/// Bytes the allocator has handed out and not yet been given back.
inline std::size_t inUse()
{
    return mallinfo2().uordblks;
}

} // namespace heap
