// SPDX-License-Identifier: MIT
#pragma once

// Private to velmora: the one place that says, per widget kind, how its value is read, checked
// and set. The value operations of sections and windows all go through it.

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QWidget>

#include <optional>
#include <utility>
#include <vector>

namespace velmora::detail {

/// What an operation on a named widget reports in its errors: the operation and the name.
struct NamedTarget
{
    /// The operation's name, as in "set_value".
    const char* operation;
    /// The name the caller gave.
    const QString& name;
};

/// How one kind of widget holds a value.
struct ValueKind
{
    /// The widget's value.
    QVariant (*read)(const QWidget* widget);
    /// `value` as the widget would hold it; throws std::invalid_argument for a value of another
    /// type or an entry not in the list, std::out_of_range for one outside the widget's range.
    QVariant (*check)(const QWidget* widget, const QVariant& value, const NamedTarget& target);
    /// Sets a value check() returned, as the user would; does nothing when it is the current one.
    void (*write)(QWidget* widget, const QVariant& value);
};

/// The kind of `widget`, or nullptr when it holds no value.
const ValueKind* valueKindOf(const QWidget* widget) noexcept;

/// A value checked for its widget, waiting to be set.
struct CheckedValue
{
    /// The widget to set; a callback run by an earlier value may have deleted it.
    QPointer<QWidget> widget;
    /// Its kind.
    const ValueKind* kind;
    /// The value, as the widget holds it.
    QVariant value;
};

/// `widget` itself; throws std::out_of_range naming the target when it is null.
QWidget* requireNamed(QWidget* widget, const NamedTarget& target);

/// The value of `widget`, the one found for `target`.
/// @throws std::out_of_range when `widget` is null; std::invalid_argument when it holds no value.
QVariant readValue(const QWidget* widget, const NamedTarget& target);

/// Checks `value` for `widget`, the one found for `target`, without changing anything.
/// @throws as readValue() does, and as the kind's check does.
CheckedValue checkValue(QWidget* widget, const QVariant& value, const NamedTarget& target);

/// Sets a checked value, unless its widget is gone.
void writeValue(const CheckedValue& checked);

/// The values of `named`, a list of names and widgets in which the first entry of a name is the
/// widget that holds it; the widgets without a value are left out.
QVariantMap valuesOf(std::vector<std::pair<const QString*, QWidget*>>&& named);

/// Replaces the entries of the drop-down `widget`, the one found for `target`, selecting
/// `current` (absent: the first); its current-text signal runs once when the text changes.
/// @throws std::out_of_range when `widget` is null or `current` is not an index of `options`;
///         std::invalid_argument when `widget` is not a drop-down.
void replaceOptions(QWidget* widget, const QStringList& options, std::optional<int> current,
                    const NamedTarget& target);

} // namespace velmora::detail
