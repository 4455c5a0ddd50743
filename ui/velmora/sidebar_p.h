// SPDX-License-Identifier: MIT
#pragma once

// Private to velmora: the sidebars of a window, where each one is placed and what it is built of.

#include <velmora/options.h>
#include <velmora/section.h>

#include <QString>

#include <memory>

class QHBoxLayout;
class QVBoxLayout;

namespace velmora::detail {

/// Builds the sidebar of `side` (a lower-case word) and places it in the window frame: `outer`
/// stacks the up bar, `middle` and the down bar; `middle` lines up the left bar, the content and
/// the right bar. Returns the section over the sidebar's container.
/// Throws ValueError, before anything is built, when `side` is not in the sidebar table.
std::unique_ptr<Section, SectionRelease> makeSidebar(QVBoxLayout* outer, QHBoxLayout* middle,
                                                     const QString& side, const SidebarOptions& options);

} // namespace velmora::detail
