// SPDX-License-Identifier: MIT
#pragma once

#include <velmora/options.h>
#include <velmora/tab_sections.h>
#include <velmora/velmora_export.h>

#include <QHash>
#include <QMetaType>
#include <QPointer>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>
#include <QVariantList>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <unordered_map>
#include <utility>
#include <vector>

class QBoxLayout;
class QTableWidget;

namespace velmora {

namespace detail {
struct SectionAccess;
class SectionPool;
/// Hands a child section back to the library when its parent discards it; see Section::clear().
struct SectionRelease
{
    /// Turns `section` into an empty shell that refuses every operation.
    void operator()(Section* section) const noexcept;
};
} // namespace detail

/**
 * One box layout of a window and the operations that fill it.
 *
 * Each call appends its widget after the previous ones. Widgets take the section's stretch
 * factors in order; an alignment word packs them at the start, the end or the centre of the
 * layout. Widgets given a name are registered here and fetched with get(). Sections nest:
 * add_row(), add_column(), add_scroll() and add_tabs() return child sections, and end()
 * returns to the parent. A section owns its child sections; widgets belong to Qt's parent tree.
 *
 * A section can outlive its use: clear() discards the child sections, and Qt deletes a section's
 * layout with the widget that holds it (a window closed with Qt::WA_DeleteOnClose, a row's frame
 * deleted by the application). Every operation on such a section, get() and end() included,
 * throws std::logic_error naming the operation, and creates nothing.
 * Une section vidée par son parent ou dont le layout a été détruit refuse toute opération.
 *
 * Every operation, the constructor included, runs on the thread of the application object;
 * called from another thread it throws std::logic_error whose message begins with the
 * operation's name ("Section::add_label: ..."), before anything is created or changed.
 */
class VELMORA_EXPORT Section
{
public:
    /// Wraps `layout` (a QVBoxLayout or QHBoxLayout) and applies the stretch factors and
    /// alignment of `options` to it.
    /// @throws std::invalid_argument when `layout` is null.
    explicit Section(QBoxLayout* layout, const SectionOptions& options = {});
    /// Destroys the child sections; the widgets stay with their Qt parents.
    ~Section();
    Q_DISABLE_COPY_MOVE(Section)

    /// Adds a tab widget with one page per title; returns the page sections by title.
    /// @param tabs The titles, in tab order; a repeated title adds another page, and the result
    ///        maps it to the last one.
    /// @return The page sections, owned by this section.
    [[nodiscard]] TabSections add_tabs(const QStringList& tabs, const TabsOptions& options = {});

    /// Retourne un widget enregistré par son nom.
    /// Returns the widget last added under `name` to this very section (child sections keep their
    /// own names).
    /// @return nullptr when no widget has that name here, or when it has been deleted.
    QWidget* get(const QString& name) const;

    /// The widget registered here under `name` as a `T`; nullptr when no widget has that name
    /// here or when it is not a `T`.
    template<class T> T* get(const QString& name) const
    {
        static_assert(std::is_base_of_v<QWidget, T>, "get<T>: T must be a QWidget class");
        return qobject_cast<T*>(get(name));
    }

    /// The first widget registered under `name` in this section or below it: this section's
    /// own widgets first, then each child section's, depth first in the order they were made
    /// (rows, columns, scroll areas and tab pages alike). Returns nullptr when none has it.
    QWidget* find(const QString& name) const;

    /// What find(name) returns, as a `T`; nullptr when nothing has that name or when the
    /// first widget found is not a `T`.
    template<class T> T* find(const QString& name) const
    {
        static_assert(std::is_base_of_v<QWidget, T>, "find<T>: T must be a QWidget class");
        return qobject_cast<T*>(find(name));
    }

    /// Places a widget made by the caller, which the section's layout then owns through Qt's
    /// parent tree. A non-empty `options.name` becomes its object name and registers it for
    /// get() and find(); the stretch factor comes from the section's list unless given.
    /// @throws std::invalid_argument when `widget` is null, or is this section's container or one
    /// of its ancestors (it would become its own parent).
    Section& add_widget(QWidget* widget, const WidgetOptions& options = {});

    /// Vide tous les widgets de la section.
    /// Removes every widget, spacing and child section from this section, forgets the registered
    /// names and hands out the stretch factors from the first again. Removed widgets are deleted
    /// once the event loop turns. The child sections are discarded: a `Section&` or TabSections
    /// kept from them refuses every later operation with std::logic_error. Their memory is reused
    /// for new sections, oldest first, once more than 64 discarded ones wait; a `Section&` kept
    /// that long may then reach a newer section (TabSections::at still tells).
    Section& clear();

    /// Adds a label showing `text`.
    Section& add_label(const QString& text, const LabelOptions& options = {});

    /// Adds a push button; `callback` runs once per click.
    /// @throws std::invalid_argument when `callback` is empty.
    Section& add_button(const QString& text, Callback callback, const ButtonOptions& options = {});

    /// Champ texte — callback appelé à chaque frappe.
    /// Adds a one-line text field; the options' callback receives the new text on every change.
    Section& add_input(const InputOptions& options = {});

    /// Liste déroulante — callback reçoit la valeur sélectionnée.
    /// Adds a drop-down list of `options`, in that order; the first entry starts selected without
    /// calling the callback, which then receives the text of each newly selected entry.
    Section& add_dropdown(const QStringList& options, const DropdownOptions& dropdown_options = {});

    /// Case à cocher — callback reçoit l'état booléen.
    /// Adds a check box captioned `text`; the callback receives each new state, not the initial one.
    Section& add_checkbox(const QString& text, const CheckboxOptions& options = {});

    /// Adds a spin box (QSpinBox) holding a whole number in `[min, max]`; the callback receives
    /// each new value, not the initial one.
    /// @throws std::invalid_argument when `min > max` or `step < 1`; std::out_of_range when
    ///         `value` lies outside `[min, max]`. Nothing is created then.
    Section& add_spinbox(const SpinBoxOptions& options = {});

    /// Adds a slider (QSlider), horizontal unless `vertical`; the callback receives each new
    /// value, not the initial one.
    /// @throws std::invalid_argument when `min > max`; std::out_of_range when `value` lies
    ///         outside `[min, max]`. Nothing is created then.
    Section& add_slider(const SliderOptions& options = {});

    /// Adds a progress bar (QProgressBar) showing `value` between `min` and `max`.
    /// @throws std::invalid_argument when `min > max`; std::out_of_range when `value` lies
    ///         outside `[min, max]`. Nothing is created then.
    Section& add_progress(const ProgressOptions& options = {});

    /// Adds a multi-line plain text area (QPlainTextEdit); the callback receives the whole text
    /// on every change, not the initial text.
    Section& add_text(const TextAreaOptions& options = {});

    /// Adds a date field (QDateEdit) with its calendar pop-up; the callback receives each new
    /// date, not the initial one.
    /// @throws std::invalid_argument when `min > max`; std::out_of_range when a non-null `date`
    ///         lies outside the range. Nothing is created then.
    Section& add_date(const DateOptions& options = {});

    /// Adds a group of radio buttons, one per entry of `options` in order, exactly one checked at
    /// any time. The registered widget is a plain QWidget holding the buttons; the callback
    /// receives the text of each option that becomes checked, not of the initial one.
    /// @throws std::invalid_argument when `options` is empty; std::out_of_range when `current`
    ///         is not an index of `options`. Nothing is created then.
    Section& add_radio(const QStringList& options, const RadioOptions& options_ = {});

    /// The value of the widget find(name) returns: the text of a text field, label, text area,
    /// drop-down (its current entry), radio group (its checked option, empty when none) or
    /// plain button; the checked state (bool) of a check box, radio button or checkable button;
    /// the int of a spin box, slider or progress bar; the double of a QDoubleSpinBox; the QDate
    /// of a date field.
    /// @throws std::out_of_range when no widget has that name; std::invalid_argument when its
    ///         widget holds no value (a table, a plain widget).
    QVariant value(const QString& name) const;

    /// value(name) converted to `T`.
    /// @throws as value(name) does, and std::invalid_argument when the value does not convert
    ///         to `T` (a label reading "abc" asked as an int).
    template<class T> T value(const QString& name) const
    {
        QVariant result = value(name);
        if (!result.convert(QMetaType::fromType<T>()))
            throw std::invalid_argument("value: the value of \"" + name.toStdString() +
                                        "\" does not convert to " + QMetaType::fromType<T>().name());
        return result.value<T>();
    }

    /// Sets the value of the widget find(name) returns as the user would: its change signal and
    /// value callback follow, unless `value` is the current value. A button's click callback
    /// never runs. A text takes a QString, a checked state a bool, an int widget any integer
    /// that fits its range, a QDoubleSpinBox any number in its range, a date field a QDate in
    /// its range, a drop-down or radio group one of its entries. A radio button outside a
    /// radio group takes only true.
    /// @throws std::out_of_range when no widget has that name, or for a number or date outside
    ///         the widget's range; std::invalid_argument when the widget holds no value, for a
    ///         value of another type or an entry not in the list. Nothing changes then.
    Section& set_value(const QString& name, const QVariant& value);

    /// Maps each name registered in this section or below it to the value of the widget
    /// find(name) returns, leaving out the names whose widget holds no value.
    QVariantMap values() const;

    /// Checks every entry as set_value() does, then sets them in the map's order.
    /// @throws as set_value() does, before anything changes.
    Section& set_values(const QVariantMap& values);

    /// Enables or disables the widget find(name) returns; a disabled widget is greyed out.
    /// @throws std::out_of_range when no widget has that name.
    Section& set_enabled(const QString& name, bool enabled = true);

    /// Shows or hides the widget find(name) returns.
    /// @throws std::out_of_range when no widget has that name.
    Section& set_visible(const QString& name, bool visible = true);

    /// Replaces the entries of the drop-down find(name) returns; `current` selects one as in
    /// DropdownOptions (absent: the first). The drop-down's callback runs once when its current
    /// text changes.
    /// @throws std::out_of_range when no widget has that name or `current` is not an index of
    ///         `options`; std::invalid_argument when the widget is not a drop-down.
    Section& set_options(const QString& name, const QStringList& options, std::optional<int> current = {});

    /// Ligne de séparation horizontale ou verticale selon le layout.
    /// Adds a sunken line across the section: horizontal in a column, vertical in a row.
    /// @param stretch Stretch factor; absent takes the section's next one, as a widget does.
    Section& add_separator(std::optional<int> stretch = {});

    /// Adds an elastic empty space with the given stretch factor; uses no stretch entry.
    Section& add_spacer(int stretch = 1);

    /// Adds a fixed empty space of `px` pixels along the layout; uses no stretch entry.
    Section& add_spacing(int px);

    /// Espacement global entre tous les éléments de la section.
    /// Sets the space in pixels between any two adjacent items, those already added included.
    Section& set_spacing(int px);

    /// Sets the section's inner margins, given clockwise from the top.
    Section& set_margins(const Margins& margins = {});

    /// Applique du CSS Qt sur le widget conteneur de cette section.
    /// Replaces the style sheet of the widget that carries this section's layout; the rules reach
    /// the widgets inside it. Does nothing when the layout is on no widget.
    Section& set_style(const QString& css);

    /// Adds a row (a horizontal layout in a frame) and returns its section.
    Section& add_row(const BoxOptions& options = {});

    /// Adds a column (a vertical layout in a frame) and returns its section.
    Section& add_column(const BoxOptions& options = {});

    /// Crée une zone scrollable — retourne la Section intérieure.
    /// Adds a scroll area holding a column, and returns the column's section.
    Section& add_scroll(const ScrollOptions& options = {});

    /// Adds a table with one column per header label.
    /// @return The table, owned by Qt's parent tree; fill it with add_table_row().
    [[nodiscard]] QTableWidget* add_table(const QStringList& columns, const TableOptions& options = {});

    /// Appends one row of values to `table`, each shown as text; surplus values are dropped.
    /// @throws std::invalid_argument when `table` is null.
    Section& add_table_row(QTableWidget* table, const QVariantList& values);

    /// Appends many rows at once, with the same result as add_table_row() called for each in
    /// turn: surplus values are dropped, and in a sorted table each row lands whole in its
    /// sorted place, row header labels staying with their rows. Costs what filling the rows by
    /// hand with one setRowCount() does, sorted or not and with or without row header labels
    /// (40,000 rows of ten columns into a sorted table holding one labelled row: within 1.1 times
    /// the same fill without the label; see docs/performance.md). A sorted table whose rows are
    /// out of their sorted order, as after setItem() with sorting off, is filled row by row, at
    /// a cost that grows with the square of its size.
    /// @throws std::invalid_argument when `table` is null.
    Section& add_table_rows(QTableWidget* table, const QList<QVariantList>& rows);

    /// Replaces every row of `table` by `rows`, filled as add_table_rows() fills them. The current
    /// cell keeps its row and column index when that row still exists, and the selection is then
    /// that row (or cell); otherwise no row is current and nothing is selected. The table's
    /// on_select callback runs once if the current row's index changed, not otherwise. Costs
    /// what setRowCount() and setItem() by hand do (100,000 rows: within 1.1 times).
    /// @throws std::invalid_argument when `table` is null.
    Section& set_table_rows(QTableWidget* table, const QList<QVariantList>& rows);

    /// The texts of the cells of `row`, from the first column; an empty text for a cell without
    /// an item.
    /// @throws std::invalid_argument when `table` is null.
    /// @throws std::out_of_range when `row` is not a row of the table.
    QStringList table_row(QTableWidget* table, int row) const;

    /// Removes `row` from `table`; the rows below move up by one.
    /// @throws std::invalid_argument when `table` is null.
    /// @throws std::out_of_range when `row` is not a row of the table.
    Section& remove_table_row(QTableWidget* table, int row);

    /// Hides every row of `table` for which `keep` returns false and shows the others; an empty
    /// `keep` shows every row. `keep` is asked about every row before any row changes, so a
    /// `keep` that throws leaves the table as it was.
    /// @throws std::invalid_argument when `table` is null.
    Section& filter_rows(QTableWidget* table, const std::function<bool(int row)>& keep);

    /// The rows of `table` holding at least one selected cell, ascending.
    /// @throws std::invalid_argument when `table` is null.
    QList<int> selected_rows(QTableWidget* table) const;

    /// Returns the section that created this one, or this section when it has none.
    Section& end();

private:
    friend class TabSections;
    friend struct detail::SectionAccess;
    friend class detail::SectionPool;
    friend struct detail::SectionRelease;

    // Throws std::logic_error naming `operation` when the section was discarded or Qt deleted its
    // layout. Every operation calls it first, before it creates anything.
    void requireAlive(const char* operation) const;
    // find() without the check on this section, skipping the sections Qt deleted; the wrapper
    // searches its root and sidebars with it.
    QWidget* findBelow(const QString& name) const;
    // Appends each live named widget of this section and below to `out` with its name, in
    // findBelow()'s order, so that the first entry of a name is the widget find() returns.
    void collectNamed(std::vector<std::pair<const QString*, QWidget*>>& out) const;
    void discard() noexcept;
    void reset(QBoxLayout* layout, const SectionOptions& options);

    void _seal();
    int _next_stretch(std::optional<int> explicit_stretch = {});
    QWidget* _register(const QString& name, QWidget* widget);
    Section& _make_sub(bool horizontal, const QList<int>& stretches, std::optional<int> stretch,
                       const QString& align, std::optional<Qt::AlignmentFlag> cross_flag,
                       const QString& name);
    Section& _adopt(std::unique_ptr<Section, detail::SectionRelease> child);
    void _add(QWidget* widget, std::optional<int> stretch);

    // Null once the section is discarded, or once Qt deleted the layout with its widget.
    QPointer<QBoxLayout> _layout;
    Section* _parent;
    QList<int> _stretches;
    qsizetype _stretch_idx = 0;
    QString _align;
    bool _sealed = false;
    std::vector<std::unique_ptr<Section, detail::SectionRelease>> _sub_sections;
    // Most sections name few widgets or none: a node-based map costs about a hundred bytes for
    // the first name, where QHash allocates a whole 128-slot span of about 2 KiB.
    std::unordered_map<QString, QPointer<QWidget>> _named_widgets;
    // Counts the discards of this object, so that TabSections tells a reused one from its page.
    std::uint32_t _generation = 0;
};

} // namespace velmora
