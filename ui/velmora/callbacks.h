// SPDX-License-Identifier: MIT
#pragma once

#include <QDate>
#include <QString>

#include <functional>

namespace velmora {

/// A reaction to an event that carries no value: a button click, a window close.
using Callback = std::function<void()>;

/// A reaction that receives a text: the new text of a field, the entry chosen in a list.
using TextCallback = std::function<void(const QString&)>;

/// A reaction that receives the new checked state of a check box.
using BoolCallback = std::function<void(bool)>;

/// A reaction that receives a table row, counted from 0.
using RowCallback = std::function<void(int row)>;

/// A reaction that receives a whole number: the new value of a spin box or a slider.
using IntCallback = std::function<void(int)>;

/// A reaction that receives the new date of a date field.
using DateCallback = std::function<void(const QDate&)>;

} // namespace velmora
