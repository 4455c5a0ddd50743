// SPDX-License-Identifier: MIT
#include "sidebar_p.h"

#include "alignment_p.h"
#include "errors.h"
#include "section_pool_p.h"

#include <QBoxLayout>
#include <QWidget>

#include <array>

namespace velmora::detail {
namespace {

struct SidebarConfig
{
    QLatin1StringView side;
    bool horizontal; // "up" and "down" bars are rows, "left" and "right" bars columns
    void (*insert)(QVBoxLayout* outer, QHBoxLayout* middle, QWidget* container);
};

// The sidebar configuration table, in the order the valid sides are listed in errors.
constexpr std::array<SidebarConfig, 4> SIDEBAR_CFG{{
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
    for (const auto& config : SIDEBAR_CFG)
        quoted.append(QLatin1Char('\'') + config.side + QLatin1Char('\''));
    return QStringLiteral("Sidebar inconnue : '%1'. Valeurs valides : [%2]")
        .arg(side, quoted.join(QLatin1StringView(", ")));
}

} // namespace

std::unique_ptr<Section, SectionRelease> makeSidebar(QVBoxLayout* outer, QHBoxLayout* middle,
                                                     const QString& side, const SidebarOptions& options)
{
    const SidebarConfig* config = nullptr;
    for (const auto& candidate : SIDEBAR_CFG) {
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
    config->insert(outer, middle, container);

    std::optional<Qt::AlignmentFlag> crossFlag;
    if (!options.cross_align.isEmpty()) {
        crossFlag = config->horizontal ? crossFlagHorizontal(options.cross_align)
                                       : crossFlagVertical(options.cross_align);
    }
    return SectionPool::make(layout, SectionOptions{nullptr, options.stretches, options.align, crossFlag});
}

} // namespace velmora::detail
