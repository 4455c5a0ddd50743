// SPDX-License-Identifier: MIT
#pragma once

// Private to velmora: the tables that turn alignment words into stretches and flags.

#include <QString>
#include <Qt>

#include <optional>

namespace velmora::detail {

/// Where an alignment word asks for expanding stretches along a section's own axis.
struct MainAxis
{
    bool before = false;
    bool after = false;
};

/// The `MAIN_AXIS` entry of `word`; a word outside the table asks for nothing.
MainAxis mainAxis(const QString& word);

/// The `CROSS_FLAGS_HORIZONTAL` entry of `word` (top, bottom, center), for rows.
std::optional<Qt::AlignmentFlag> crossFlagHorizontal(const QString& word);

/// The `CROSS_FLAGS_VERTICAL` entry of `word` (left, right, center), for columns.
std::optional<Qt::AlignmentFlag> crossFlagVertical(const QString& word);

} // namespace velmora::detail
