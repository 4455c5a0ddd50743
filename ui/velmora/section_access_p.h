// SPDX-License-Identifier: MIT
#pragma once

// Private to velmora: reaches the parts of a Section that only the library itself uses.
// The window shell seals and searches through it; the library's own tests inspect sections through it.

#include <velmora/section.h>

#include <QBoxLayout>

namespace velmora::detail {

struct SectionAccess
{
    static void seal(Section& section) { section._seal(); }
    static QWidget* findBelow(const Section& section, const QString& name) { return section.findBelow(name); }
    static void collectNamed(const Section& section, std::vector<std::pair<const QString*, QWidget*>>& out)
    {
        section.collectNamed(out);
    }
    static int nextStretch(Section& section, std::optional<int> explicitStretch = {})
    {
        return section._next_stretch(explicitStretch);
    }
    static QBoxLayout* layout(const Section& section) { return section._layout.data(); }
    static bool sealed(const Section& section) { return section._sealed; }
    static qsizetype subSectionCount(const Section& section) { return section._sub_sections.size(); }
};

} // namespace velmora::detail
