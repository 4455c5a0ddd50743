// SPDX-License-Identifier: MIT
#pragma once

#include <velmora/options.h>
#include <velmora/section.h>
#include <velmora/velmora_export.h>

#include <QApplication>
#include <QKeySequence>
#include <QMainWindow>
#include <QMetaType>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <concepts>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

class QHBoxLayout;
class QVBoxLayout;
class QWidget;

namespace velmora {

namespace detail {
class MainWindow;
class StyleWatcher;
} // namespace detail

/**
 * A desktop window built by a short chain of calls.
 *
 * Constructing a wrapper makes sure the process has a QApplication (reusing the one that
 * exists), builds a hidden main window and a root Section over its content area. Every
 * Section operation is also a member here and acts on the root section, returning what the
 * section returns. run() shows the window and runs the event loop. Destroying the wrapper
 * destroys its window; the application object lives on until the process ends, when velmora
 * destroys the one it made (unless the caller deleted it first through `app`).
 *
 * Qt may delete the window first (Qt::WA_DeleteOnClose, `delete ui.window`): from then on every
 * operation but the destructor throws std::logic_error naming the operation, and changes nothing.
 * Si Qt a détruit la fenêtre, toute opération du wrapper lève std::logic_error.
 *
 * Every operation, constructors included, runs on the thread of the application object (a wrapper
 * made before any application object makes it on its own thread). Called from another thread it
 * throws std::logic_error whose message begins with the operation's name
 * ("UIWrapper::notify: ..."), before anything is created or changed.
 */
class VELMORA_EXPORT UIWrapper
{
public:
    /// Builds a hidden main window from `options` (title, 800 × 600, no padding by default):
    /// `UIWrapper ui;`, `UIWrapper ui({});`, `UIWrapper ui({"Titre"});` or
    /// `UIWrapper ui({.title = "Titre", .width = 640});`.
    /// @throws std::logic_error when the process holds a QCoreApplication or QGuiApplication
    /// that is not a QApplication: widgets cannot live without one.
    explicit UIWrapper(const WindowOptions& options = {});
    /// Builds a hidden main window with this title, size and outer margin:
    /// `UIWrapper ui("Titre");` or `UIWrapper ui("Titre", 640, 480);`. `title` is anything a
    /// QString is made from (a QString, a string literal).
    /// @throws std::logic_error as the other constructor does.
    template<typename Title>
    requires std::convertible_to<const Title&, QString>
    explicit UIWrapper(const Title& title, int width = 800, int height = 600, int padding = 0)
        : UIWrapper(WindowOptions{title, width, height, padding})
    {
    }
    /// Destroys the window and everything in it. Safe also after Qt deleted the window.
    ~UIWrapper();
    // Not copyable, not movable. The copy constructor takes a non-const reference so that it
    // cannot take part in `UIWrapper ui({...})`, which would otherwise be ambiguous.
    UIWrapper(UIWrapper&) = delete;
    UIWrapper& operator=(const UIWrapper&) = delete;

    /// Icône de la barre de titre / taskbar.
    /// Sets the window's icon from the image file at `path`; a missing or unreadable file leaves
    /// the window without an icon and reports nothing.
    UIWrapper& set_icon(const QString& path);
    /// Bloque ou autorise le redimensionnement.
    /// @param resizable false fixes the window at its current size; true lifts every size limit,
    ///        those set by set_min_size() and set_max_size() included.
    UIWrapper& set_resizable(bool resizable);
    /// Sets the window's minimum size.
    UIWrapper& set_min_size(int width, int height);
    /// Sets the window's maximum size.
    UIWrapper& set_max_size(int width, int height);
    /// Transparence de la fenêtre — 0.0 invisible, 1.0 opaque.
    /// Sets the window's opacity; the value goes to Qt unchanged.
    UIWrapper& set_opacity(double value);
    /// Callback appelé quand l'utilisateur ferme la fenêtre.
    /// Calls `callback` whenever the window is asked to close, then lets it close; a callback that
    /// throws leaves it open. A later call replaces the callback.
    /// @throws std::invalid_argument when `callback` is empty.
    UIWrapper& set_on_close(Callback callback);
    /// Centre la fenêtre sur l'écran.
    /// Moves the window to the middle of the primary screen, counted from the screen's top-left
    /// corner at (0, 0).
    UIWrapper& center();
    /// Charge un fichier .qss et l'applique à la fenêtre.
    /// Reads the style sheet at `path` as UTF-8 and makes it the window's sheet, replacing the
    /// previous one; the sheets set on sections stay. Ends the watch of an earlier watch_style().
    /// A sheet may hold at most 16 MiB; a larger file is refused without being read.
    /// @throws std::filesystem::filesystem_error when the file cannot be read, is not UTF-8
    ///         (std::errc::illegal_byte_sequence) or holds more than 16 MiB
    ///         (std::errc::file_too_large); the window keeps its sheet, and a watch goes on.
    UIWrapper& load_style(const QString& path);
    /// Recharge le fichier .qss à chaque modification.
    /// Loads the file as load_style() does, then re-applies it whenever it changes on disk. The
    /// watch follows `path`, not the file first found there: a new file renamed over it (also over
    /// a file with a second hard link), a symbolic link replaced by rename, a file removed and made
    /// again, any number of times. A reload that fails (a file over 16 MiB included) keeps the
    /// last good sheet and reports one warning. The watch lasts until load_style() loads another
    /// sheet, another watch_style() call watches another file instead, or the window ends.
    /// La surveillance dure jusqu'au prochain load_style(), au prochain watch_style() ou à la fin
    /// de la fenêtre.
    /// @throws std::filesystem::filesystem_error like load_style(), for the first load only.
    UIWrapper& watch_style(const QString& path);

    /// Sets the window's style sheet to `qss`, replacing the previous one as load_style() does with
    /// a file's text; the sheets set on sections stay. Ends the watch of an earlier watch_style().
    UIWrapper& set_window_style(const QString& qss);
    /// Sets the text of the window's title bar.
    UIWrapper& set_title(const QString& title);
    /// Runs `callback` whenever `keys` are pressed while the window is the active one, whichever
    /// widget of it has the focus. Keys bound twice in one window run neither callback.
    /// @throws std::invalid_argument when `keys` or `callback` is empty.
    UIWrapper& add_shortcut(const QKeySequence& keys, Callback callback);
    /// Closes the window as if the user had closed it: the callback of set_on_close() runs, also
    /// for a window not shown yet, and a callback that throws leaves the window open.
    UIWrapper& close();

    /// Affiche une notification flottante en bas de la fenêtre.
    /// Shows `text` in a coloured banner centred above the bottom edge of the window, removed after
    /// the options' duration once the event loop runs.
    UIWrapper& notify(const QString& text, const NotifyOptions& options = {});

    /// Ouvre une fenêtre secondaire avec toute l'API UIWrapper.
    /// Builds another wrapper on the same application object and shows its window at once.
    /// @return The new wrapper; the caller owns it, and releasing it closes the window, so
    ///         discarding it would destroy the window at the end of the statement.
    [[nodiscard]] std::unique_ptr<UIWrapper> open_window(const SecondaryWindowOptions& options = {});

    /// Returns the sidebar of `side` ("up", "down", "left", "right", any case), creating it on
    /// first request; later requests ignore `options`.
    /// @throws ValueError for any other side, before anything changes.
    Section& sidebar(const QString& side = QStringLiteral("left"), const SidebarOptions& options = {});

    /// Seals every section, shows the window, runs the event loop and returns its exit code.
    int run();

    // The root section's operations; each returns what the section returns.

    /// See Section::add_tabs.
    [[nodiscard]] TabSections add_tabs(const QStringList& tabs, const TabsOptions& options = {});
    /// See Section::get.
    QWidget* get(const QString& name) const;
    /// See Section::get; the root section's widget as a `T`.
    template<class T> T* get(const QString& name) const
    {
        static_assert(std::is_base_of_v<QWidget, T>, "get<T>: T must be a QWidget class");
        return qobject_cast<T*>(get(name));
    }
    /// The first widget registered under `name` anywhere in the window: the root section and
    /// everything below it first (see Section::find), then each sidebar in the order the
    /// sidebars were made. Returns nullptr when none has it.
    QWidget* find(const QString& name) const;
    /// What find(name) returns, as a `T`; nullptr when nothing has that name or when the first
    /// widget found is not a `T`.
    template<class T> T* find(const QString& name) const
    {
        static_assert(std::is_base_of_v<QWidget, T>, "find<T>: T must be a QWidget class");
        return qobject_cast<T*>(find(name));
    }
    /// See Section::add_widget.
    Section& add_widget(QWidget* widget, const WidgetOptions& options = {});
    /// See Section::clear.
    Section& clear();
    /// See Section::add_label.
    Section& add_label(const QString& text, const LabelOptions& options = {});
    /// See Section::add_button.
    Section& add_button(const QString& text, Callback callback, const ButtonOptions& options = {});
    /// See Section::add_input.
    Section& add_input(const InputOptions& options = {});
    /// See Section::add_dropdown.
    Section& add_dropdown(const QStringList& options, const DropdownOptions& dropdown_options = {});
    /// See Section::add_checkbox.
    Section& add_checkbox(const QString& text, const CheckboxOptions& options = {});
    /// See Section::add_spinbox.
    Section& add_spinbox(const SpinBoxOptions& options = {});
    /// See Section::add_slider.
    Section& add_slider(const SliderOptions& options = {});
    /// See Section::add_progress.
    Section& add_progress(const ProgressOptions& options = {});
    /// See Section::add_text.
    Section& add_text(const TextAreaOptions& options = {});
    /// See Section::add_date.
    Section& add_date(const DateOptions& options = {});
    /// See Section::add_radio.
    Section& add_radio(const QStringList& options, const RadioOptions& options_ = {});

    // Values by name, window-wide: each name is looked up as find() looks it up.

    /// See Section::value; the widget find(name) returns, anywhere in the window.
    QVariant value(const QString& name) const;
    /// See Section::value; value(name) converted to `T`.
    template<class T> T value(const QString& name) const
    {
        QVariant result = value(name);
        if (!result.convert(QMetaType::fromType<T>()))
            throw std::invalid_argument("value: the value of \"" + name.toStdString() +
                                        "\" does not convert to " + QMetaType::fromType<T>().name());
        return result.value<T>();
    }
    /// See Section::set_value; the widget find(name) returns, anywhere in the window.
    UIWrapper& set_value(const QString& name, const QVariant& value);
    /// See Section::values; every name of the window, each mapped to the value of the widget
    /// find(name) returns.
    QVariantMap values() const;
    /// See Section::set_values; checks every entry, window-wide, before setting any.
    UIWrapper& set_values(const QVariantMap& values);
    /// See Section::set_enabled; the widget find(name) returns, anywhere in the window.
    UIWrapper& set_enabled(const QString& name, bool enabled = true);
    /// See Section::set_visible; the widget find(name) returns, anywhere in the window.
    UIWrapper& set_visible(const QString& name, bool visible = true);
    /// See Section::set_options; the drop-down find(name) returns, anywhere in the window.
    UIWrapper& set_options(const QString& name, const QStringList& options, std::optional<int> current = {});

    /// See Section::add_separator.
    Section& add_separator(std::optional<int> stretch = {});
    /// See Section::add_spacer.
    Section& add_spacer(int stretch = 1);
    /// See Section::add_spacing.
    Section& add_spacing(int px);
    /// See Section::set_spacing.
    Section& set_spacing(int px);
    /// See Section::set_margins.
    Section& set_margins(const Margins& margins = {});
    /// See Section::set_style.
    Section& set_style(const QString& css);
    /// See Section::add_row.
    Section& add_row(const BoxOptions& options = {});
    /// See Section::add_column.
    Section& add_column(const BoxOptions& options = {});
    /// See Section::add_scroll.
    Section& add_scroll(const ScrollOptions& options = {});
    /// See Section::add_table.
    [[nodiscard]] QTableWidget* add_table(const QStringList& columns, const TableOptions& options = {});
    /// See Section::add_table_row.
    Section& add_table_row(QTableWidget* table, const QVariantList& values);
    /// See Section::add_table_rows.
    Section& add_table_rows(QTableWidget* table, const QList<QVariantList>& rows);
    /// See Section::set_table_rows.
    Section& set_table_rows(QTableWidget* table, const QList<QVariantList>& rows);
    /// See Section::table_row.
    QStringList table_row(QTableWidget* table, int row) const;
    /// See Section::remove_table_row.
    Section& remove_table_row(QTableWidget* table, int row);
    /// See Section::filter_rows.
    Section& filter_rows(QTableWidget* table, const std::function<bool(int row)>& keep);
    /// See Section::selected_rows.
    QList<int> selected_rows(QTableWidget* table) const;
    /// See Section::end.
    Section& end();

    /// The process-wide application object, shared by every wrapper.
    QApplication* app;
    /// The main window, owned by this wrapper.
    QMainWindow* window;

private:
    std::unique_ptr<Section, detail::SectionRelease> _make_sidebar(const QString& side,
                                                                   const SidebarOptions& options);
    // Throws std::logic_error naming `operation` once Qt has deleted the window. Every operation
    // calls it first, before it changes anything.
    void requireWindow(const char* operation) const;
    // find() without the window check.
    QWidget* findInWindow(const QString& name) const;
    // The root section, for the forwarding operations; throws as requireWindow() does.
    Section& rootSection(const char* operation) const;

    // The window this wrapper made, whatever the public `window` now points to; null once someone
    // else deleted it, which the destructor needs to know.
    QPointer<detail::MainWindow> _window_alive;
    // Made by the first watch_style() call; a Qt child of the window, which owns it.
    detail::StyleWatcher* _style_watcher = nullptr;

    QVBoxLayout* _outer_layout;
    QWidget* _middle_widget;
    QHBoxLayout* _middle_layout;
    QVBoxLayout* _content_layout;
    std::unique_ptr<Section, detail::SectionRelease> _root_section;
    std::vector<std::pair<QString, std::unique_ptr<Section, detail::SectionRelease>>> _sidebars;
};

} // namespace velmora
