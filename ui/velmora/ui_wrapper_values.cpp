// SPDX-License-Identifier: MIT
#include "ui_wrapper.h"

#include "section_access_p.h"
#include "value_kinds_p.h"

#include <utility>
#include <vector>

namespace velmora {

QVariant UIWrapper::value(const QString& name) const
{
    requireWindow("value");
    return detail::readValue(findInWindow(name), {"value", name});
}

UIWrapper& UIWrapper::set_value(const QString& name, const QVariant& value)
{
    requireWindow("set_value");
    detail::writeValue(detail::checkValue(findInWindow(name), value, {"set_value", name}));
    return *this;
}

QVariantMap UIWrapper::values() const
{
    requireWindow("values");
    std::vector<std::pair<const QString*, QWidget*>> named;
    // find()'s order: a name of the root section hides the same name in a sidebar.
    detail::SectionAccess::collectNamed(*_root_section, named);
    for (const auto& entry : _sidebars)
        detail::SectionAccess::collectNamed(*entry.second, named);
    return detail::valuesOf(std::move(named));
}

UIWrapper& UIWrapper::set_values(const QVariantMap& values)
{
    requireWindow("set_values");
    std::vector<detail::CheckedValue> checked;
    checked.reserve(std::size_t(values.size()));
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        checked.push_back(detail::checkValue(findInWindow(it.key()), it.value(), {"set_values", it.key()}));
    for (const detail::CheckedValue& entry : checked)
        detail::writeValue(entry);
    return *this;
}

UIWrapper& UIWrapper::set_enabled(const QString& name, bool enabled)
{
    requireWindow("set_enabled");
    detail::requireNamed(findInWindow(name), {"set_enabled", name})->setEnabled(enabled);
    return *this;
}

UIWrapper& UIWrapper::set_visible(const QString& name, bool visible)
{
    requireWindow("set_visible");
    detail::requireNamed(findInWindow(name), {"set_visible", name})->setVisible(visible);
    return *this;
}

UIWrapper& UIWrapper::set_options(const QString& name, const QStringList& options, std::optional<int> current)
{
    requireWindow("set_options");
    detail::replaceOptions(findInWindow(name), options, current, {"set_options", name});
    return *this;
}

} // namespace velmora
