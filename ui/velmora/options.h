#pragma once

#include <velmora/callbacks.h>

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
    QString title;
    int width = 800;
    int height = 600;
    int padding = 0;
};

/// Title, size and outer margin of a secondary window.
struct SecondaryWindowOptions
{
    QString title;
    int width = 400;
    int height = 300;
    int padding = 0;
};

/// Kind ("success", "error", "warning" or "info") and lifetime in milliseconds of a notification.
struct NotifyOptions
{
    QString kind = QStringLiteral("info");
    int duration = 3000;
};

/// Stretch factors, alignment words and fixed thickness of a sidebar.
struct SidebarOptions
{
    QList<int> stretches;
    QString align;
    QString cross_align;
    std::optional<int> size;
};

/// Parent section, stretch factors, main-axis word and cross-axis flag of a section.
struct SectionOptions
{
    Section* parent = nullptr;
    QList<int> stretches;
    QString align;
    std::optional<Qt::AlignmentFlag> cross_flag;
};

/// Stretch factor and name of a label.
struct LabelOptions
{
    std::optional<int> stretch;
    QString name;
};

/// Stretch factor, trailing gap in pixels and name of a button.
struct ButtonOptions
{
    std::optional<int> stretch;
    int gap = 0;
    QString name;
};

/// Placeholder, change callback, stretch factor and name of a text field.
struct InputOptions
{
    QString placeholder;
    TextCallback callback;
    std::optional<int> stretch;
    QString name;
};

/// Selection callback, stretch factor and name of a drop-down list.
struct DropdownOptions
{
    TextCallback callback;
    std::optional<int> stretch;
    QString name;
};

/// Toggle callback, initial state, stretch factor and name of a check box.
struct CheckboxOptions
{
    BoolCallback callback;
    bool checked = false;
    std::optional<int> stretch;
    QString name;
};

/// Inner margins of a section, clockwise from the top.
struct Margins
{
    int top = 0;
    int right = 0;
    int bottom = 0;
    int left = 0;
};

/// Options of a row or a column: its children's stretch factors, its own stretch factor,
/// its alignment words and the object name of its frame.
struct BoxOptions
{
    QList<int> stretches;
    std::optional<int> stretch;
    QString align;
    QString cross_align;
    QString name;
};

/// Stretch factor of a scroll area and whether it may scroll horizontally.
struct ScrollOptions
{
    std::optional<int> stretch;
    bool horizontal = false;
};

/// Stretch factor and object name of a tab widget.
struct TabsOptions
{
    std::optional<int> stretch;
    QString name;
};

/// Number of empty rows to create and stretch factor of a table.
struct TableOptions
{
    int rows = 0;
    std::optional<int> stretch;
};

} // namespace velmora
