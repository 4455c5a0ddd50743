// SPDX-License-Identifier: MIT
#pragma once

// Private to velmora: where the child sections come from, and where they go once discarded.

#include <velmora/section.h>

#include <memory>

class QBoxLayout;

namespace velmora::detail {

/// A child section, handed back to the pool instead of being freed.
using SectionHandle = std::unique_ptr<Section, SectionRelease>;

/**
 * Keeps discarded sections as empty shells and reuses them for new ones.
 *
 * A `Section&` is a bare address: the application may keep one past the clear() that discarded
 * its section, and an operation on it must then find an object that refuses it, not freed
 * memory. So a discarded section stays a Section, emptied of everything it held, and waits here.
 * A shell is reused only once more than SHELLS_IN_QUARANTINE others wait, oldest first: memory
 * stays bounded by the most sections alive at once plus that many, and a stale reference is
 * caught until that many sections have been discarded after its own. Shells live as long as the
 * process, so sections of wrappers with static storage may come back while it exits.
 * Used from the thread that runs the event loop only, like everything else in the library.
 */
class SectionPool
{
public:
    /// How many discarded shells wait before the oldest is reused.
    static constexpr std::size_t SHELLS_IN_QUARANTINE = 64;

    /// A section over `layout`, in a reused shell when enough of them wait.
    static SectionHandle make(QBoxLayout* layout, const SectionOptions& options);

    /// Empties `section` into a shell that refuses every operation, and keeps it.
    static void release(Section* section) noexcept;

    /// How many discarded shells wait, for the library's tests.
    static std::size_t waiting();
};

} // namespace velmora::detail
