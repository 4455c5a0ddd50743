// SPDX-License-Identifier: MIT
#include "section.h"

#include "alignment_p.h"
#include "section_pool_p.h"

#include <QBoxLayout>
#include <QFrame>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>

#include <utility>
#include <vector>

namespace velmora {

Section& Section::add_row(const BoxOptions& options)
{
    requireAlive("add_row");
    const auto crossFlag =
        options.cross_align.isEmpty() ? std::nullopt : detail::crossFlagHorizontal(options.cross_align);
    return _make_sub(true, options.stretches, options.stretch, options.align, crossFlag, options.name);
}

Section& Section::add_column(const BoxOptions& options)
{
    requireAlive("add_column");
    const auto crossFlag =
        options.cross_align.isEmpty() ? std::nullopt : detail::crossFlagVertical(options.cross_align);
    return _make_sub(false, options.stretches, options.stretch, options.align, crossFlag, options.name);
}

Section& Section::_make_sub(bool horizontal, const QList<int>& stretches, std::optional<int> stretch,
                            const QString& align, std::optional<Qt::AlignmentFlag> cross_flag,
                            const QString& name)
{
    auto* container = new QFrame;
    if (!name.isEmpty())
        container->setObjectName(name);
    QBoxLayout* layout = horizontal ? static_cast<QBoxLayout*>(new QHBoxLayout(container))
                                    : static_cast<QBoxLayout*>(new QVBoxLayout(container));
    _add(container, stretch);
    return _adopt(detail::SectionPool::make(layout, SectionOptions{this, stretches, align, cross_flag}));
}

Section& Section::add_scroll(const ScrollOptions& options)
{
    requireAlive("add_scroll");
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(options.horizontal ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    auto* inner = new QWidget;
    auto* innerLayout = new QVBoxLayout(inner);
    scroll->setWidget(inner);
    _add(scroll, options.stretch);
    return _adopt(detail::SectionPool::make(innerLayout, SectionOptions{this}));
}

TabSections Section::add_tabs(const QStringList& tabs, const TabsOptions& options)
{
    requireAlive("add_tabs");
    auto* tabsWidget = new QTabWidget;
    if (!options.name.isEmpty())
        tabsWidget->setObjectName(options.name);
    _add(tabsWidget, options.stretch);

    std::vector<std::pair<QString, Section*>> pages;
    pages.reserve(tabs.size());
    for (const QString& title : tabs) {
        auto* container = new QWidget;
        auto* layout = new QVBoxLayout(container);
        tabsWidget->addTab(container, title);
        pages.emplace_back(title, &_adopt(detail::SectionPool::make(layout, SectionOptions{this})));
    }
    if (!options.tab_bar)
        tabsWidget->tabBar()->hide();
    return TabSections(tabsWidget, pages);
}

Section& Section::add_separator(std::optional<int> stretch)
{
    requireAlive("add_separator");
    auto* line = new QFrame;
    line->setFrameShape(qobject_cast<QVBoxLayout*>(_layout) ? QFrame::HLine : QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    _add(line, stretch);
    return *this;
}

Section& Section::add_spacer(int stretch)
{
    requireAlive("add_spacer");
    _layout->addStretch(stretch);
    return *this;
}

Section& Section::add_spacing(int px)
{
    requireAlive("add_spacing");
    _layout->addSpacing(px);
    return *this;
}

Section& Section::set_spacing(int px)
{
    requireAlive("set_spacing");
    _layout->setSpacing(px);
    return *this;
}

Section& Section::set_margins(const Margins& margins)
{
    requireAlive("set_margins");
    _layout->setContentsMargins(margins.left, margins.top, margins.right, margins.bottom);
    return *this;
}

Section& Section::set_style(const QString& css)
{
    requireAlive("set_style");
    if (QWidget* widget = _layout->parentWidget())
        widget->setStyleSheet(css);
    return *this;
}

} // namespace velmora
