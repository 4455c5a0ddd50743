// SPDX-License-Identifier: MIT
#pragma once

// Private to velmora: the exclusive groups of checkable buttons, one set per section.

#include <QString>

class QAbstractButton;
class QLayout;

namespace velmora::detail {

/// Puts `button` in the exclusive group called `name` of the section whose layout is `layout`,
/// making the group on first use. The layout owns its groups, so a group never spans sections.
void joinButtonGroup(QLayout* layout, const QString& name, QAbstractButton* button);

} // namespace velmora::detail
