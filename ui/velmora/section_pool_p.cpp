// SPDX-License-Identifier: MIT
#include "section_pool_p.h"

#include <deque>
#include <stdexcept>
#include <utility>

namespace velmora::detail {
namespace {

using Shells = std::deque<std::unique_ptr<Section>>;

Shells& shells()
{
    // Never destroyed: a wrapper with static storage hands its sections back during exit, after
    // the function-local statics made later than it are gone.
    static auto* instance = new Shells;
    return *instance;
}

} // namespace

SectionHandle SectionPool::make(QBoxLayout* layout, const SectionOptions& options)
{
    Shells& waiting = shells();
    if (!layout || waiting.size() <= SHELLS_IN_QUARANTINE)
        return SectionHandle(new Section(layout, options));
    std::unique_ptr<Section> shell = std::move(waiting.front());
    waiting.pop_front();
    try {
        shell->reset(layout, options);
    } catch (...) {
        // A stale reference may still point at it: it must stay a shell, not be freed.
        shell->discard();
        waiting.push_front(std::move(shell));
        throw;
    }
    return SectionHandle(shell.release());
}

void SectionPool::release(Section* section) noexcept
{
    section->discard();
    try {
        shells().emplace_back().reset(section);
    } catch (...) {
        // Out of memory for the queue: the shell stays where stale references can reach it, and
        // is simply never reused.
    }
}

std::size_t SectionPool::waiting()
{
    return shells().size();
}

void SectionRelease::operator()(Section* section) const noexcept
{
    SectionPool::release(section);
}

} // namespace velmora::detail
