// SPDX-License-Identifier: MIT
#include "ui_wrapper.h"

#include "application_p.h"
#include "callback_guard_p.h"
#include "arithmetic_p.h"
#include "main_window_p.h"
#include "notification_banner_p.h"
#include "section_access_p.h"
#include "section_pool_p.h"
#include "sidebar_p.h"
#include "style_watcher_p.h"
#include "thread_check_p.h"
#include "utf8_file_reader_p.h"

#include <QApplication>
#include <QBoxLayout>
#include <QIcon>
#include <QScreen>
#include <QShortcut>

#include <stdexcept>
#include <string>
#include <utility>

namespace velmora {
namespace {

[[noreturn]] void throwWindowGone(const char* operation)
{
    throw std::logic_error(std::string("UIWrapper::") + operation +
                           ": the window no longer exists (Qt deleted it)");
}

// A wrapper made before any application object makes it on its own thread, so the check only
// fails when another thread already holds one.
QApplication* applicationForNewWrapper()
{
    detail::requireGuiThread("UIWrapper::UIWrapper");
    return detail::ensureApplication();
}

} // namespace

UIWrapper::UIWrapper(const WindowOptions& options)
    : app(applicationForNewWrapper())
    , _window_alive(new detail::MainWindow)
{
    const int padding = options.padding;
    window = _window_alive;
    window->setWindowTitle(options.title);
    window->resize(options.width, options.height);

    auto* central = new QWidget;
    window->setCentralWidget(central);
    _outer_layout = new QVBoxLayout(central);
    _outer_layout->setContentsMargins(padding, padding, padding, padding);
    _outer_layout->setSpacing(0);

    _middle_widget = new QWidget;
    _middle_widget->setObjectName(QStringLiteral("middle"));
    _middle_layout = new QHBoxLayout(_middle_widget);
    _middle_layout->setContentsMargins(0, 0, 0, 0);
    _middle_layout->setSpacing(0);
    _outer_layout->addWidget(_middle_widget, 1);

    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("content"));
    _content_layout = new QVBoxLayout(content);
    _middle_layout->addWidget(content, 1);

    _root_section = detail::SectionPool::make(_content_layout, {});
    detail::addLiveWrapper();
}

void UIWrapper::requireWindow(const char* operation) const
{
    detail::requireGuiThread("UIWrapper", operation);
    if (!_window_alive) [[unlikely]]
        throwWindowGone(operation);
}

Section& UIWrapper::rootSection(const char* operation) const
{
    requireWindow(operation);
    return *_root_section;
}

UIWrapper::~UIWrapper()
{
    delete _window_alive.data();
    detail::removeLiveWrapper();
}

UIWrapper& UIWrapper::set_icon(const QString& path)
{
    requireWindow("set_icon");
    window->setWindowIcon(QIcon(path));
    return *this;
}

UIWrapper& UIWrapper::set_resizable(bool resizable)
{
    requireWindow("set_resizable");
    if (resizable) {
        window->setMinimumSize(0, 0);
        window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
        window->setFixedSize(window->size());
    }
    return *this;
}

UIWrapper& UIWrapper::set_min_size(int width, int height)
{
    requireWindow("set_min_size");
    window->setMinimumSize(width, height);
    return *this;
}

UIWrapper& UIWrapper::set_max_size(int width, int height)
{
    requireWindow("set_max_size");
    window->setMaximumSize(width, height);
    return *this;
}

UIWrapper& UIWrapper::set_opacity(double value)
{
    requireWindow("set_opacity");
    window->setWindowOpacity(value);
    return *this;
}

UIWrapper& UIWrapper::set_on_close(Callback callback)
{
    requireWindow("set_on_close");
    if (!callback)
        throw std::invalid_argument("set_on_close: callback must not be empty");
    _window_alive->setCloseCallback(std::move(callback));
    return *this;
}

UIWrapper& UIWrapper::center()
{
    requireWindow("center");
    const QScreen* screen = app->primaryScreen();
    if (!screen)
        return *this;
    // The screen's origin counts: a primary screen need not start at (0, 0) on a multi-screen desktop.
    const QRect area = screen->geometry();
    window->move(area.x() + detail::floorHalf(area.width() - window->width()),
                 area.y() + detail::floorHalf(area.height() - window->height()));
    return *this;
}

UIWrapper& UIWrapper::load_style(const QString& path)
{
    requireWindow("load_style");
    const QString text = detail::readUtf8File(path);
    // The sheet loaded now replaces the watched one for good: a later edit of that file must not
    // bring it back.
    delete std::exchange(_style_watcher, nullptr);
    window->setStyleSheet(text);
    return *this;
}

UIWrapper& UIWrapper::watch_style(const QString& path)
{
    requireWindow("watch_style");
    const QString text = detail::readUtf8File(path);
    window->setStyleSheet(text);
    if (_style_watcher)
        _style_watcher->retarget(path, text);
    else
        _style_watcher = new detail::StyleWatcher(window, path, text);
    return *this;
}

UIWrapper& UIWrapper::set_window_style(const QString& qss)
{
    requireWindow("set_window_style");
    // As with load_style(), a later edit of a watched file must not bring its sheet back.
    delete std::exchange(_style_watcher, nullptr);
    window->setStyleSheet(qss);
    return *this;
}

UIWrapper& UIWrapper::set_title(const QString& title)
{
    requireWindow("set_title");
    window->setWindowTitle(title);
    return *this;
}

UIWrapper& UIWrapper::add_shortcut(const QKeySequence& keys, Callback callback)
{
    requireWindow("add_shortcut");
    if (keys.isEmpty())
        throw std::invalid_argument("add_shortcut: keys must not be empty");
    if (!callback)
        throw std::invalid_argument("add_shortcut: callback must not be empty");
    auto* shortcut = new QShortcut(keys, window);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, shortcut,
                     [callback = std::move(callback)] { detail::invokeGuarded("add_shortcut", callback); });
    return *this;
}

UIWrapper& UIWrapper::close()
{
    requireWindow("close");
    window->close();
    return *this;
}

UIWrapper& UIWrapper::notify(const QString& text, const NotifyOptions& options)
{
    requireWindow("notify");
    new detail::NotificationBanner(window->centralWidget(), text, options.kind, options.duration);
    return *this;
}

std::unique_ptr<UIWrapper> UIWrapper::open_window(const SecondaryWindowOptions& options)
{
    requireWindow("open_window");
    auto secondary = std::make_unique<UIWrapper>(
        WindowOptions{options.title, options.width, options.height, options.padding});
    // Modality only takes effect when set before the window is shown.
    if (options.modal)
        secondary->window->setWindowModality(Qt::ApplicationModal);
    secondary->window->show();
    return secondary;
}

Section& UIWrapper::sidebar(const QString& side, const SidebarOptions& options)
{
    requireWindow("sidebar");
    const QString word = side.toLower();
    for (const auto& [key, section] : _sidebars) {
        if (key == word)
            return *section;
    }
    auto section = _make_sidebar(word, options);
    _sidebars.emplace_back(word, std::move(section));
    return *_sidebars.back().second;
}

std::unique_ptr<Section, detail::SectionRelease> UIWrapper::_make_sidebar(const QString& side,
                                                                          const SidebarOptions& options)
{
    return detail::makeSidebar(_outer_layout, _middle_layout, side, options);
}

int UIWrapper::run()
{
    requireWindow("run");
    for (const auto& entry : _sidebars)
        detail::SectionAccess::seal(*entry.second);
    detail::SectionAccess::seal(*_root_section);
    window->show();
    const int code = QApplication::exec();
    detail::scheduleApplicationRelease();
    return code;
}

TabSections UIWrapper::add_tabs(const QStringList& tabs, const TabsOptions& options)
{
    return rootSection("add_tabs").add_tabs(tabs, options);
}

QWidget* UIWrapper::get(const QString& name) const
{
    return rootSection("get").get(name);
}

QWidget* UIWrapper::find(const QString& name) const
{
    requireWindow("find");
    return findInWindow(name);
}

QWidget* UIWrapper::findInWindow(const QString& name) const
{
    if (QWidget* widget = detail::SectionAccess::findBelow(*_root_section, name))
        return widget;
    for (const auto& entry : _sidebars) {
        if (QWidget* widget = detail::SectionAccess::findBelow(*entry.second, name))
            return widget;
    }
    return nullptr;
}

Section& UIWrapper::add_widget(QWidget* widget, const WidgetOptions& options)
{
    return rootSection("add_widget").add_widget(widget, options);
}

Section& UIWrapper::clear()
{
    return rootSection("clear").clear();
}

Section& UIWrapper::add_label(const QString& text, const LabelOptions& options)
{
    return rootSection("add_label").add_label(text, options);
}

Section& UIWrapper::add_button(const QString& text, Callback callback, const ButtonOptions& options)
{
    return rootSection("add_button").add_button(text, std::move(callback), options);
}

Section& UIWrapper::add_input(const InputOptions& options)
{
    return rootSection("add_input").add_input(options);
}

Section& UIWrapper::add_dropdown(const QStringList& options, const DropdownOptions& dropdown_options)
{
    return rootSection("add_dropdown").add_dropdown(options, dropdown_options);
}

Section& UIWrapper::add_checkbox(const QString& text, const CheckboxOptions& options)
{
    return rootSection("add_checkbox").add_checkbox(text, options);
}

Section& UIWrapper::add_spinbox(const SpinBoxOptions& options)
{
    return rootSection("add_spinbox").add_spinbox(options);
}

Section& UIWrapper::add_slider(const SliderOptions& options)
{
    return rootSection("add_slider").add_slider(options);
}

Section& UIWrapper::add_progress(const ProgressOptions& options)
{
    return rootSection("add_progress").add_progress(options);
}

Section& UIWrapper::add_text(const TextAreaOptions& options)
{
    return rootSection("add_text").add_text(options);
}

Section& UIWrapper::add_date(const DateOptions& options)
{
    return rootSection("add_date").add_date(options);
}

Section& UIWrapper::add_radio(const QStringList& options, const RadioOptions& options_)
{
    return rootSection("add_radio").add_radio(options, options_);
}

Section& UIWrapper::add_separator(std::optional<int> stretch)
{
    return rootSection("add_separator").add_separator(stretch);
}

Section& UIWrapper::add_spacer(int stretch)
{
    return rootSection("add_spacer").add_spacer(stretch);
}

Section& UIWrapper::add_spacing(int px)
{
    return rootSection("add_spacing").add_spacing(px);
}

Section& UIWrapper::set_spacing(int px)
{
    return rootSection("set_spacing").set_spacing(px);
}

Section& UIWrapper::set_margins(const Margins& margins)
{
    return rootSection("set_margins").set_margins(margins);
}

Section& UIWrapper::set_style(const QString& css)
{
    return rootSection("set_style").set_style(css);
}

Section& UIWrapper::add_row(const BoxOptions& options)
{
    return rootSection("add_row").add_row(options);
}

Section& UIWrapper::add_column(const BoxOptions& options)
{
    return rootSection("add_column").add_column(options);
}

Section& UIWrapper::add_scroll(const ScrollOptions& options)
{
    return rootSection("add_scroll").add_scroll(options);
}

QTableWidget* UIWrapper::add_table(const QStringList& columns, const TableOptions& options)
{
    return rootSection("add_table").add_table(columns, options);
}

Section& UIWrapper::add_table_row(QTableWidget* table, const QVariantList& values)
{
    return rootSection("add_table_row").add_table_row(table, values);
}

Section& UIWrapper::add_table_rows(QTableWidget* table, const QList<QVariantList>& rows)
{
    return rootSection("add_table_rows").add_table_rows(table, rows);
}

Section& UIWrapper::set_table_rows(QTableWidget* table, const QList<QVariantList>& rows)
{
    return rootSection("set_table_rows").set_table_rows(table, rows);
}

QStringList UIWrapper::table_row(QTableWidget* table, int row) const
{
    return rootSection("table_row").table_row(table, row);
}

Section& UIWrapper::remove_table_row(QTableWidget* table, int row)
{
    return rootSection("remove_table_row").remove_table_row(table, row);
}

Section& UIWrapper::filter_rows(QTableWidget* table, const std::function<bool(int row)>& keep)
{
    return rootSection("filter_rows").filter_rows(table, keep);
}

QList<int> UIWrapper::selected_rows(QTableWidget* table) const
{
    return rootSection("selected_rows").selected_rows(table);
}

Section& UIWrapper::end()
{
    return rootSection("end").end();
}

} // namespace velmora
