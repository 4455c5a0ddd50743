// SPDX-License-Identifier: MIT
#include "section.h"

#include "value_kinds_p.h"

#include <QBoxLayout>

#include <utility>
#include <vector>

namespace velmora {

QVariant Section::value(const QString& name) const
{
    requireAlive("value");
    return detail::readValue(findBelow(name), {"value", name});
}

Section& Section::set_value(const QString& name, const QVariant& value)
{
    requireAlive("set_value");
    detail::writeValue(detail::checkValue(findBelow(name), value, {"set_value", name}));
    return *this;
}

QVariantMap Section::values() const
{
    requireAlive("values");
    std::vector<std::pair<const QString*, QWidget*>> named;
    collectNamed(named);
    return detail::valuesOf(std::move(named));
}

void Section::collectNamed(std::vector<std::pair<const QString*, QWidget*>>& out) const
{
    // findBelow()'s walk.
    std::vector<const Section*> pending{this};
    while (!pending.empty()) {
        const Section* section = pending.back();
        pending.pop_back();
        if (!section->_layout)
            continue;
        for (const auto& [name, widget] : section->_named_widgets) {
            if (widget)
                out.emplace_back(&name, widget.data());
        }
        for (auto child = section->_sub_sections.rbegin(); child != section->_sub_sections.rend(); ++child)
            pending.push_back(child->get());
    }
}

Section& Section::set_values(const QVariantMap& values)
{
    requireAlive("set_values");
    std::vector<detail::CheckedValue> checked;
    checked.reserve(std::size_t(values.size()));
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        checked.push_back(detail::checkValue(findBelow(it.key()), it.value(), {"set_values", it.key()}));
    for (const detail::CheckedValue& entry : checked)
        detail::writeValue(entry);
    return *this;
}

Section& Section::set_enabled(const QString& name, bool enabled)
{
    requireAlive("set_enabled");
    detail::requireNamed(findBelow(name), {"set_enabled", name})->setEnabled(enabled);
    return *this;
}

Section& Section::set_visible(const QString& name, bool visible)
{
    requireAlive("set_visible");
    detail::requireNamed(findBelow(name), {"set_visible", name})->setVisible(visible);
    return *this;
}

Section& Section::set_options(const QString& name, const QStringList& options, std::optional<int> current)
{
    requireAlive("set_options");
    detail::replaceOptions(findBelow(name), options, current, {"set_options", name});
    return *this;
}

} // namespace velmora
