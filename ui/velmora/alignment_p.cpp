// SPDX-License-Identifier: MIT
#include "alignment_p.h"

#include <array>
#include <utility>

namespace velmora::detail {
namespace {

struct MainAxisEntry
{
    QLatin1StringView word;
    MainAxis axis;
};

// The main-axis table: words act by position along the axis, whatever its direction.
constexpr std::array<MainAxisEntry, 5> MAIN_AXIS{{
    {QLatin1StringView("top"), {false, true}},
    {QLatin1StringView("bottom"), {true, false}},
    {QLatin1StringView("center"), {true, true}},
    {QLatin1StringView("left"), {false, true}},
    {QLatin1StringView("right"), {true, false}},
}};

using CrossEntry = std::pair<QLatin1StringView, Qt::AlignmentFlag>;

// The cross-axis flag tables. A row's cross axis is vertical, a column's horizontal.
constexpr std::array<CrossEntry, 3> CROSS_FLAGS_HORIZONTAL{{
    {QLatin1StringView("top"), Qt::AlignTop},
    {QLatin1StringView("bottom"), Qt::AlignBottom},
    {QLatin1StringView("center"), Qt::AlignVCenter},
}};

constexpr std::array<CrossEntry, 3> CROSS_FLAGS_VERTICAL{{
    {QLatin1StringView("left"), Qt::AlignLeft},
    {QLatin1StringView("right"), Qt::AlignRight},
    {QLatin1StringView("center"), Qt::AlignHCenter},
}};

std::optional<Qt::AlignmentFlag> lookUp(const std::array<CrossEntry, 3>& table, const QString& word)
{
    for (const auto& [key, flag] : table) {
        if (word == key)
            return flag;
    }
    return std::nullopt;
}

} // namespace

MainAxis mainAxis(const QString& word)
{
    for (const auto& entry : MAIN_AXIS) {
        if (word == entry.word)
            return entry.axis;
    }
    return {};
}

std::optional<Qt::AlignmentFlag> crossFlagHorizontal(const QString& word)
{
    return lookUp(CROSS_FLAGS_HORIZONTAL, word);
}

std::optional<Qt::AlignmentFlag> crossFlagVertical(const QString& word)
{
    return lookUp(CROSS_FLAGS_VERTICAL, word);
}

} // namespace velmora::detail
