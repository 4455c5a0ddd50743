// SPDX-License-Identifier: MIT
#pragma once

#include <velmora/callbacks.h>

#include <QDate>
#include <QKeySequence>
#include <QList>
#include <QString>
#include <Qt>

#include <optional>

namespace velmora {

class Section;

// Options records for the operations that take two or more optional parameters. Fields follow
// the parameters' order and carry their defaults, so that callers may pass them by name
// (`{.gap = 12, .name = "ok"}`) or by position (`{std::nullopt, 12, "ok"}`). An empty text
// means "absent" for names and alignment words.

/// Title, size and outer margin of a main window.
struct WindowOptions
{
    /// Window title.
    QString title;
    /// Initial width in pixels.
    int width = 800;
    /// Initial height in pixels.
    int height = 600;
    /// Outer margin around all content, in pixels.
    int padding = 0;
};

/// Title, size and outer margin of a secondary window.
struct SecondaryWindowOptions
{
    /// Window title.
    QString title;
    /// Initial width in pixels.
    int width = 400;
    /// Initial height in pixels.
    int height = 300;
    /// Outer margin around all content, in pixels.
    int padding = 0;
    /// Whether the window blocks input to every other window of the application while it is open.
    bool modal = false;
};

/// Kind ("success", "error", "warning" or "info") and lifetime in milliseconds of a notification.
struct NotifyOptions
{
    /// "success", "error", "warning" or "info"; any other word looks like "info".
    QString kind = QStringLiteral("info");
    /// Milliseconds before the banner goes; a negative value counts as 0.
    int duration = 3000;
};

/// Stretch factors, alignment words and fixed thickness of a sidebar.
struct SidebarOptions
{
    /// Stretch factors handed out to the bar's widgets in order.
    QList<int> stretches;
    /// Alignment word along the bar.
    QString align;
    /// Alignment word across the bar.
    QString cross_align;
    /// Fixed height of an "up"/"down" bar or width of a "left"/"right" bar, in pixels.
    std::optional<int> size;
};

/// Parent section, stretch factors, main-axis word and cross-axis flag of a section.
struct SectionOptions
{
    /// The section end() returns to; none for a top-level section.
    Section* parent = nullptr;
    /// Stretch factors handed out to the widgets in order.
    QList<int> stretches;
    /// Alignment word along the layout.
    QString align;
    /// Qt alignment set on the layout across its direction.
    std::optional<Qt::AlignmentFlag> cross_flag;
};

/// Stretch factor, name and minimum width of a label.
struct LabelOptions
{
    /// Stretch factor; absent takes the section's next one.
    std::optional<int> stretch;
    /// Object name and registry name; empty registers nothing.
    QString name;
    /// Minimum width in pixels, so that the fields after labels of one form line up; absent
    /// keeps the width the text needs.
    std::optional<int> width;
};

/// Stretch factor, trailing gap in pixels and name of a button.
struct ButtonOptions
{
    /// Stretch factor; absent takes the section's next one.
    std::optional<int> stretch;
    /// Fixed space in pixels added after the button.
    int gap = 0;
    /// Object name and registry name; empty registers nothing.
    QString name;
    /// Whether the button can be clicked; a disabled button is greyed out.
    bool enabled = true;
    /// Keys that click the button when pressed anywhere in its window; empty binds none.
    QKeySequence shortcut;
    /// Whether a click toggles the button between pressed and released.
    bool checkable = false;
    /// Whether the button starts pressed; needs `checkable`. The callback does not run for it.
    bool checked = false;
    /// Checkable buttons of one section with the same non-empty group name are exclusive: one
    /// click presses one and releases the others, and clicking the pressed one keeps it pressed.
    /// Groups never span sections.
    QString group;
};

/// Placeholder, change callback, stretch factor, name and initial state of a text field.
struct InputOptions
{
    /// Grey text shown while the field is empty.
    QString placeholder;
    /// Called with the new text on every change.
    TextCallback callback;
    /// Stretch factor; absent takes the section's next one.
    std::optional<int> stretch;
    /// Object name and registry name; empty registers nothing.
    QString name;
    /// Text the field starts with; `callback` is not called for it.
    QString text;
    /// Whether the field hides what is typed, showing one bullet per character.
    bool password = false;
    /// Whether the user can select and copy the text but not change it.
    bool read_only = false;
    /// Called with the field's text when the user presses Return or Enter in it.
    TextCallback on_submit;
    /// Whether the field accepts focus and input; a disabled field is greyed out.
    bool enabled = true;
    /// Where the text sits in the field: "left", "center" or "right"; empty keeps Qt's (the
    /// start of the line in the text's direction).
    QString align;
};

/// Selection callback, stretch factor, name and initial state of a drop-down list.
struct DropdownOptions
{
    /// Called with the text of the entry chosen.
    TextCallback callback;
    /// Stretch factor; absent takes the section's next one.
    std::optional<int> stretch;
    /// Object name and registry name; empty registers nothing.
    QString name;
    /// Index of the entry selected at creation, from 0; absent selects the first entry.
    /// `callback` is not called for it.
    std::optional<int> current;
    /// Whether the list can be opened; a disabled list is greyed out.
    bool enabled = true;
};

/// Toggle callback, initial state, stretch factor and name of a check box.
struct CheckboxOptions
{
    /// Called with the new checked state.
    BoolCallback callback;
    /// Initial state.
    bool checked = false;
    /// Stretch factor; absent takes the section's next one.
    std::optional<int> stretch;
    /// Object name and registry name; empty registers nothing.
    QString name;
    /// Whether the box can be toggled; a disabled box is greyed out.
    bool enabled = true;
};

/// Inner margins of a section, clockwise from the top.
struct Margins
{
    /// Top margin in pixels.
    int top = 0;
    /// Right margin in pixels.
    int right = 0;
    /// Bottom margin in pixels.
    int bottom = 0;
    /// Left margin in pixels.
    int left = 0;
};

/// Options of a row or a column: its children's stretch factors, its own stretch factor,
/// its alignment words and the object name of its frame.
struct BoxOptions
{
    /// Stretch factors handed out to the children in order.
    QList<int> stretches;
    /// Stretch factor of the box itself; absent takes the parent's next one.
    std::optional<int> stretch;
    /// Alignment word along the box.
    QString align;
    /// Alignment word across the box.
    QString cross_align;
    /// Object name of the box's frame.
    QString name;
};

/// Stretch factor of a scroll area and whether it may scroll horizontally.
struct ScrollOptions
{
    /// Stretch factor; absent takes the section's next one.
    std::optional<int> stretch;
    /// Whether a horizontal scroll bar may appear.
    bool horizontal = false;
};

/// Stretch factor and object name of a tab widget.
struct TabsOptions
{
    /// Stretch factor; absent takes the section's next one.
    std::optional<int> stretch;
    /// Object name of the tab widget.
    QString name;
    /// Whether the tabs are shown; without them the pages are switched by TabSections::show().
    bool tab_bar = true;
};

/// Number of empty rows to create, stretch factor, name and activation callback of a table.
struct TableOptions
{
    /// Number of empty rows to start with.
    int rows = 0;
    /// Stretch factor; absent takes the section's next one.
    std::optional<int> stretch;
    /// Object name and registry name; empty registers nothing.
    QString name;
    /// Called with the row of a cell the user activates: a double click on it, or Return or
    /// Enter while it is the current cell. When set, a double click activates the row instead
    /// of opening the cell's editor.
    RowCallback on_activate;
    /// Whether the cells refuse editing.
    bool read_only = false;
    /// What a click selects: "cells", "rows" or "none"; empty keeps Qt's (cells).
    QString select;
    /// Whether one cell or row at most is selected at a time; no effect with "none".
    bool single = false;
    /// Widths in pixels of the first columns, in order; entries beyond the columns are ignored.
    QList<int> widths;
    /// Whether the last column takes the width the others leave.
    bool stretch_last = false;
    /// Called with the new current row whenever it changes, -1 when there is none.
    RowCallback on_select;
};

/// Stretch factor and name of a widget made by the caller and placed with add_widget().
struct WidgetOptions
{
    /// Stretch factor; absent takes the section's next one.
    std::optional<int> stretch;
    /// Object name and registry name; empty registers nothing and keeps the widget's own
    /// object name.
    QString name;
};

/// Range, step, initial value, decorations, change callback, stretch factor, name and state of a
/// spin box.
struct SpinBoxOptions
{
    /// Smallest value.
    int min = 0;
    /// Largest value.
    int max = 99;
    /// Value at creation; `callback` is not called for it.
    int value = 0;
    /// Amount one arrow click or key press adds or takes away; at least 1.
    int step = 1;
    /// Text shown before the number.
    QString prefix;
    /// Text shown after the number.
    QString suffix;
    /// Called with the new value on every change.
    IntCallback callback;
    /// Stretch factor; absent takes the section's next one.
    std::optional<int> stretch;
    /// Object name and registry name; empty registers nothing.
    QString name;
    /// Whether the spin box accepts input; a disabled one is greyed out.
    bool enabled = true;
};

/// Range, initial value, direction, change callback, stretch factor, name and state of a slider.
struct SliderOptions
{
    /// Smallest value.
    int min = 0;
    /// Largest value.
    int max = 100;
    /// Value at creation; `callback` is not called for it.
    int value = 0;
    /// Whether the slider runs from bottom to top instead of from left to right.
    bool vertical = false;
    /// Called with the new value on every change.
    IntCallback callback;
    /// Stretch factor; absent takes the section's next one.
    std::optional<int> stretch;
    /// Object name and registry name; empty registers nothing.
    QString name;
    /// Whether the slider can be moved; a disabled one is greyed out.
    bool enabled = true;
};

/// Range, initial value, text format, stretch factor and name of a progress bar.
struct ProgressOptions
{
    /// Value of an empty bar.
    int min = 0;
    /// Value of a full bar.
    int max = 100;
    /// Value at creation.
    int value = 0;
    /// Text shown on the bar, with %p (percentage), %v (value) and %m (steps); empty keeps "%p%".
    QString format;
    /// Stretch factor; absent takes the section's next one.
    std::optional<int> stretch;
    /// Object name and registry name; empty registers nothing.
    QString name;
};

/// Initial text, placeholder, change callback, stretch factor, name and state of a multi-line
/// text area.
struct TextAreaOptions
{
    /// Text the area starts with; `callback` is not called for it.
    QString text;
    /// Grey text shown while the area is empty.
    QString placeholder;
    /// Whether the user can select and copy the text but not change it.
    bool read_only = false;
    /// Called with the whole new text on every change.
    TextCallback callback;
    /// Stretch factor; absent takes the section's next one.
    std::optional<int> stretch;
    /// Object name and registry name; empty registers nothing.
    QString name;
    /// Whether the area accepts focus and input; a disabled one is greyed out.
    bool enabled = true;
};

/// Initial date, range, display format, change callback, stretch factor, name and state of a
/// date field.
struct DateOptions
{
    /// Date at creation; a null date means today, brought into the range. `callback` is not
    /// called for it.
    QDate date;
    /// Earliest date; a null date keeps Qt's limit.
    QDate min;
    /// Latest date; a null date keeps Qt's limit.
    QDate max;
    /// Display format in QDate's notation ("dd/MM/yyyy"); empty keeps the locale's short date.
    QString format;
    /// Called with the new date on every change.
    DateCallback callback;
    /// Stretch factor; absent takes the section's next one.
    std::optional<int> stretch;
    /// Object name and registry name; empty registers nothing.
    QString name;
    /// Whether the field accepts input; a disabled one is greyed out.
    bool enabled = true;
};

/// Initial choice, choice callback, direction, stretch factor, name and state of a group of
/// radio buttons.
struct RadioOptions
{
    /// Index of the option checked at creation, from 0; absent checks the first. `callback` is
    /// not called for it.
    std::optional<int> current;
    /// Called with the text of the option that becomes checked.
    TextCallback callback;
    /// Whether the options stand in a row instead of a column.
    bool horizontal = false;
    /// Stretch factor; absent takes the section's next one.
    std::optional<int> stretch;
    /// Object name and registry name; empty registers nothing.
    QString name;
    /// Whether the options can be chosen; a disabled group is greyed out.
    bool enabled = true;
};

} // namespace velmora
