#include "ui_wrapper.h"

#include "alignment_p.h"
#include "arithmetic_p.h"
#include "errors.h"
#include "file_text_p.h"
#include "main_window_p.h"
#include "notification_banner_p.h"
#include "section_access_p.h"
#include "style_watcher_p.h"

#include <QApplication>
#include <QBoxLayout>
#include <QIcon>
#include <QPointingDevice>
#include <QScreen>

#include <array>
#include <cstdlib>
#include <stdexcept>
#include <utility>

namespace velmora {
namespace {

// The application object a wrapper created, if any; null when the caller made its own.
QApplication* ownedApplication = nullptr;
int liveWrappers = 0;
// Set by the first exit handler to run: from then on Qt's own globals may be torn down.
bool exiting = false;

void releaseApplicationAtExit()
{
    if (exiting)
        return;
    exiting = true;
    if (liveWrappers == 0)
        delete std::exchange(ownedApplication, nullptr);
}

// The application object a wrapper made is destroyed at exit, once no wrapper is left; a wrapper
// still alive then (one with static storage) keeps it, and the operating system reclaims it.
// Exit handlers run in reverse order of registration, and the application object must go before
// the globals Qt creates lazily (input devices, ...), so the handler is registered when the
// object is made, after the input devices exist, and again after every event loop, whose first
// turns create the rest. Registrations are therefore bounded by the calls to run().
void scheduleApplicationRelease()
{
    if (ownedApplication && !exiting)
        std::atexit(releaseApplicationAtExit);
}

QApplication* ensureApplication()
{
    if (QCoreApplication* existing = QCoreApplication::instance()) {
        if (auto* application = qobject_cast<QApplication*>(existing))
            return application;
        throw std::logic_error("UIWrapper: the process already has a QCoreApplication or "
                               "QGuiApplication; widgets need a QApplication");
    }
    // QApplication keeps references to argc and argv for its whole life, so they are static.
    static int argc = 1;
    static char programName[] = "velmora";
    static char* argv[] = {programName, nullptr};
    ownedApplication = new QApplication(argc, argv);
    QPointingDevice::primaryPointingDevice();
    scheduleApplicationRelease();
    return ownedApplication;
}

struct SidebarConfig
{
    QLatin1StringView side;
    bool horizontal; // "up" and "down" bars are rows, "left" and "right" bars columns
    void (*insert)(QVBoxLayout* outer, QHBoxLayout* middle, QWidget* container);
};

// _SIDEBAR_CFG, in the order the valid sides are listed in errors.
constexpr std::array<SidebarConfig, 4> _SIDEBAR_CFG{{
    {QLatin1StringView("up"), true,
     [](QVBoxLayout* outer, QHBoxLayout*, QWidget* w) { outer->insertWidget(0, w); }},
    {QLatin1StringView("down"), true,
     [](QVBoxLayout* outer, QHBoxLayout*, QWidget* w) { outer->addWidget(w); }},
    {QLatin1StringView("left"), false,
     [](QVBoxLayout*, QHBoxLayout* middle, QWidget* w) { middle->insertWidget(0, w); }},
    {QLatin1StringView("right"), false,
     [](QVBoxLayout*, QHBoxLayout* middle, QWidget* w) { middle->addWidget(w); }},
}};

QString unknownSideMessage(const QString& side)
{
    QStringList quoted;
    for (const auto& config : _SIDEBAR_CFG)
        quoted.append(QLatin1Char('\'') + config.side + QLatin1Char('\''));
    return QStringLiteral("Sidebar inconnue : '%1'. Valeurs valides : [%2]")
        .arg(side, quoted.join(QLatin1StringView(", ")));
}

} // namespace

UIWrapper::UIWrapper(const WindowOptions& options)
    : UIWrapper(options.title, options.width, options.height, options.padding)
{
}

UIWrapper::UIWrapper(const QString& title, int width, int height, int padding)
    : app(ensureApplication())
    , window(new detail::MainWindow)
    , _window_alive(window)
{
    window->setWindowTitle(title);
    window->resize(width, height);

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

    _root_section = std::make_unique<Section>(_content_layout);
    ++liveWrappers;
}

UIWrapper::~UIWrapper()
{
    delete _window_alive.data();
    --liveWrappers;
}

UIWrapper& UIWrapper::set_icon(const QString& path)
{
    window->setWindowIcon(QIcon(path));
    return *this;
}

UIWrapper& UIWrapper::set_resizable(bool resizable)
{
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
    window->setMinimumSize(width, height);
    return *this;
}

UIWrapper& UIWrapper::set_max_size(int width, int height)
{
    window->setMaximumSize(width, height);
    return *this;
}

UIWrapper& UIWrapper::set_opacity(double value)
{
    window->setWindowOpacity(value);
    return *this;
}

UIWrapper& UIWrapper::set_on_close(Callback callback)
{
    if (!callback)
        throw std::invalid_argument("set_on_close: callback must not be empty");
    static_cast<detail::MainWindow*>(window)->setCloseCallback(std::move(callback));
    return *this;
}

UIWrapper& UIWrapper::center()
{
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
    window->setStyleSheet(detail::readUtf8File(path));
    return *this;
}

UIWrapper& UIWrapper::watch_style(const QString& path)
{
    const QString text = detail::readUtf8File(path);
    window->setStyleSheet(text);
    if (_style_watcher)
        _style_watcher->retarget(path, text);
    else
        _style_watcher = new detail::StyleWatcher(window, path, text);
    return *this;
}

UIWrapper& UIWrapper::notify(const QString& text, const NotifyOptions& options)
{
    new detail::NotificationBanner(window->centralWidget(), text, options.kind, options.duration);
    return *this;
}

std::unique_ptr<UIWrapper> UIWrapper::open_window(const SecondaryWindowOptions& options)
{
    auto secondary =
        std::make_unique<UIWrapper>(options.title, options.width, options.height, options.padding);
    // Modality only takes effect when set before the window is shown.
    if (options.modal)
        secondary->window->setWindowModality(Qt::ApplicationModal);
    secondary->window->show();
    return secondary;
}

Section& UIWrapper::sidebar(const QString& side, const SidebarOptions& options)
{
    const QString word = side.toLower();
    for (const auto& [key, section] : _sidebars) {
        if (key == word)
            return *section;
    }
    auto section = _make_sidebar(word, options);
    _sidebars.emplace_back(word, std::move(section));
    return *_sidebars.back().second;
}

std::unique_ptr<Section> UIWrapper::_make_sidebar(const QString& side, const SidebarOptions& options)
{
    const SidebarConfig* config = nullptr;
    for (const auto& candidate : _SIDEBAR_CFG) {
        if (side == candidate.side)
            config = &candidate;
    }
    if (!config)
        throw ValueError(unknownSideMessage(side).toStdString());

    auto* container = new QWidget;
    container->setObjectName(QLatin1StringView("sidebar-") + side);
    if (options.size) {
        if (config->horizontal)
            container->setFixedHeight(*options.size);
        else
            container->setFixedWidth(*options.size);
    }
    QBoxLayout* layout = config->horizontal ? static_cast<QBoxLayout*>(new QHBoxLayout(container))
                                            : static_cast<QBoxLayout*>(new QVBoxLayout(container));
    layout->setContentsMargins(0, 0, 0, 0);
    config->insert(_outer_layout, _middle_layout, container);

    std::optional<Qt::AlignmentFlag> crossFlag;
    if (!options.cross_align.isEmpty()) {
        crossFlag = config->horizontal ? detail::crossFlagHorizontal(options.cross_align)
                                       : detail::crossFlagVertical(options.cross_align);
    }
    return std::make_unique<Section>(layout,
                                     SectionOptions{nullptr, options.stretches, options.align, crossFlag});
}

int UIWrapper::run()
{
    for (const auto& entry : _sidebars)
        detail::SectionAccess::seal(*entry.second);
    detail::SectionAccess::seal(*_root_section);
    window->show();
    const int code = QApplication::exec();
    scheduleApplicationRelease();
    return code;
}

TabSections UIWrapper::add_tabs(const QStringList& tabs, const TabsOptions& options)
{
    return _root_section->add_tabs(tabs, options);
}

QWidget* UIWrapper::get(const QString& name) const
{
    return _root_section->get(name);
}

QWidget* UIWrapper::find(const QString& name) const
{
    if (QWidget* widget = _root_section->find(name))
        return widget;
    for (const auto& entry : _sidebars) {
        if (QWidget* widget = entry.second->find(name))
            return widget;
    }
    return nullptr;
}

Section& UIWrapper::add_widget(QWidget* widget, const WidgetOptions& options)
{
    return _root_section->add_widget(widget, options);
}

Section& UIWrapper::clear()
{
    return _root_section->clear();
}

Section& UIWrapper::add_label(const QString& text, const LabelOptions& options)
{
    return _root_section->add_label(text, options);
}

Section& UIWrapper::add_button(const QString& text, Callback callback, const ButtonOptions& options)
{
    return _root_section->add_button(text, std::move(callback), options);
}

Section& UIWrapper::add_input(const InputOptions& options)
{
    return _root_section->add_input(options);
}

Section& UIWrapper::add_dropdown(const QStringList& options, const DropdownOptions& dropdown_options)
{
    return _root_section->add_dropdown(options, dropdown_options);
}

Section& UIWrapper::add_checkbox(const QString& text, const CheckboxOptions& options)
{
    return _root_section->add_checkbox(text, options);
}

Section& UIWrapper::add_separator(std::optional<int> stretch)
{
    return _root_section->add_separator(stretch);
}

Section& UIWrapper::add_spacer(int stretch)
{
    return _root_section->add_spacer(stretch);
}

Section& UIWrapper::add_spacing(int px)
{
    return _root_section->add_spacing(px);
}

Section& UIWrapper::set_spacing(int px)
{
    return _root_section->set_spacing(px);
}

Section& UIWrapper::set_margins(const Margins& margins)
{
    return _root_section->set_margins(margins);
}

Section& UIWrapper::set_style(const QString& css)
{
    return _root_section->set_style(css);
}

Section& UIWrapper::add_row(const BoxOptions& options)
{
    return _root_section->add_row(options);
}

Section& UIWrapper::add_column(const BoxOptions& options)
{
    return _root_section->add_column(options);
}

Section& UIWrapper::add_scroll(const ScrollOptions& options)
{
    return _root_section->add_scroll(options);
}

QTableWidget* UIWrapper::add_table(const QStringList& columns, const TableOptions& options)
{
    return _root_section->add_table(columns, options);
}

Section& UIWrapper::add_table_row(QTableWidget* table, const QVariantList& values)
{
    return _root_section->add_table_row(table, values);
}

Section& UIWrapper::add_table_rows(QTableWidget* table, const QList<QVariantList>& rows)
{
    return _root_section->add_table_rows(table, rows);
}

Section& UIWrapper::end()
{
    return _root_section->end();
}

} // namespace velmora
