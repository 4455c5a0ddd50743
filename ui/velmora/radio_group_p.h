// SPDX-License-Identifier: MIT
#pragma once

// Private to velmora: how the value operations tell a radio group made by add_radio() from any
// other plain widget.

#include <QButtonGroup>

class QWidget;

namespace velmora::detail {

/// The exclusive button group of one add_radio() group, a child of the group's plain QWidget.
/// It adds no Q_OBJECT on purpose: the holder stays a plain QWidget for the inspector, and this
/// type, found by dynamic_cast, is what marks the holder as a radio group.
class RadioGroup final : public QButtonGroup
{
public:
    using QButtonGroup::QButtonGroup;
};

/// The button group of the radio group `widget` is, or nullptr when it is none.
RadioGroup* radioGroupOf(const QWidget* widget) noexcept;

} // namespace velmora::detail
