// SPDX-License-Identifier: MIT
#pragma once

#include <velmora/options.h>
#include <velmora/tab_sections.h>
#include <velmora/velmora_export.h>

#include <QHash>
#include <QPointer>
#include <QStringList>
#include <QVariantList>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>
#include <type_traits>
#include <unordered_map>
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
    /// sorted place. Costs what filling the rows by hand with one setRowCount() does.
    /// @throws std::invalid_argument when `table` is null.
    Section& add_table_rows(QTableWidget* table, const QList<QVariantList>& rows);

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
