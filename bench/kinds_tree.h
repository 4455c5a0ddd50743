// SPDX-License-Identifier: MIT
#pragma once

// A window of the widget kinds that hold a number, a text, a date or a choice, written twice like
// widget_tree.h: through velmora, and with the Qt calls a developer would write by hand.

#include "widget_tree.h"

#include <QLineEdit>
#include <QMainWindow>

#include <memory>
#include <vector>

namespace bench {

/// Kinds per row: spin box, slider, progress bar, text area, date field, radio group.
inline constexpr int KINDS_ROW_WIDTH = 6;

/// A hidden main window holding `widgets` widgets of the six kinds in turn, built through velmora.
std::unique_ptr<velmora::UIWrapper> buildKindsWithVelmora(int widgets, Sink& sink);

/// The same hidden window built with plain Qt calls.
std::unique_ptr<QMainWindow> buildKindsWithQt(int widgets, Sink& sink);

/// A form of `widgets` named fields (text fields, check boxes, drop-downs, spin boxes and sliders
/// in turn), built through velmora; values() reads it back.
std::unique_ptr<velmora::UIWrapper> buildFormWithVelmora(int widgets);

/// The same form built by hand, with the typed pointers a hand-written reader keeps.
struct HandForm
{
    /// The window, which owns every field.
    std::unique_ptr<QMainWindow> window;
    /// Each field's name and widget, by kind.
    std::vector<std::pair<QString, QLineEdit*>> inputs;
    /// See inputs.
    std::vector<std::pair<QString, QWidget*>> checkBoxes, dropdowns, spinBoxes, sliders;
};

/// Builds the hand-written form.
HandForm buildFormWithQt(int widgets);

/// What a hand-written values() does: one getter per field, into a name → value map.
QVariantMap readHandForm(const HandForm& form);

} // namespace bench
