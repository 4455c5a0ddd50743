// SPDX-License-Identifier: MIT
#pragma once

// Private to tarnwickview: which widgets a style-sheet selector reaches, by Qt's rules.

#include "qss_parser_p.h"

class QWidget;

namespace tarnwickview::detail {

/// Whether `selector` reaches `widget`, its pseudo-states and sub-control aside: those are
/// conditions of the rule, not of the widget's identity. A type matches the class and its
/// subclasses, ".Class" the class alone, "#name" the object name, "[prop]" the property's value as
/// text; ancestors are followed through parent widgets. A selector with a pseudo-state Qt does not
/// know matches nothing.
bool selectorMatches(const QssSelector& selector, const QWidget* widget);

/// Whether the pseudo-states of `selector` all hold when the widget is in `states`
/// (lower-case names such as "enabled", "hover").
bool conditionHolds(const QssSelector& selector, const QStringList& states);

/// The condition part of `selector` ("::item:hover"), empty when it applies unconditionally.
QString conditionText(const QssSelector& selector);

/// The text a "[name]" selector compares for `widget`, as Qt reads it at polish time; null when
/// the widget has no such property.
QString propertyText(const QWidget* widget, const QString& name);

} // namespace tarnwickview::detail
