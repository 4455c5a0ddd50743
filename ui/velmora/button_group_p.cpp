// SPDX-License-Identifier: MIT
#include "button_group_p.h"

#include <QButtonGroup>
#include <QLayout>

namespace velmora::detail {
namespace {

// An exclusive group of one section, told from the application's own groups by its type.
class SectionButtonGroup : public QButtonGroup
{
public:
    SectionButtonGroup(const QString& groupName, QObject* parent)
        : QButtonGroup(parent)
        , name(groupName)
    {
    }

    const QString name;
};

} // namespace

void joinButtonGroup(QLayout* layout, const QString& name, QAbstractButton* button)
{
    // A section's layout holds its groups and, at most, a few other objects.
    for (QObject* child : layout->children()) {
        if (auto* group = dynamic_cast<SectionButtonGroup*>(child); group && group->name == name) {
            group->addButton(button);
            return;
        }
    }
    (new SectionButtonGroup(name, layout))->addButton(button);
}

} // namespace velmora::detail
