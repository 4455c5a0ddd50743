// SPDX-License-Identifier: MIT
#include "tarnwickview.h"

#include "inspector_window_p.h"
#include "messages_p.h"
#include "thread_check_p.h"

#include <QHash>
#include <QPointer>
#include <QShortcut>

#include <stdexcept>

namespace tarnwickview {
namespace {

// Marks the shortcuts made here, so that a second install of the same keys adds no rival
// shortcut: two shortcuts on one key sequence in one window would both be ambiguous and neither
// would fire.
constexpr const char* SHORTCUT_MARK = "tarnwickview_inspector";

// One inspector per inspected root. An entry leaves when its window is closed or destroyed, which
// happens at the latest when the root is. The windows are kept as plain widgets: an entry is
// still looked at while its window's destructor runs, when it is no longer an InspectorWindow.
QHash<const QWidget*, QPointer<QWidget>>& openInspectors()
{
    static QHash<const QWidget*, QPointer<QWidget>> inspectors;
    return inspectors;
}

} // namespace

void install_inspector(QWidget* root, const QKeySequence& shortcut)
{
    detail::requireGuiThread("tarnwickview::install_inspector");
    detail::requireRoot(root);
    if (shortcut.isEmpty())
        throw std::invalid_argument("tarnwickview: inspector shortcut is empty");

    for (const QShortcut* existing : root->findChildren<QShortcut*>(Qt::FindDirectChildrenOnly)) {
        if (existing->property(SHORTCUT_MARK).toBool() && existing->key() == shortcut)
            return;
    }
    auto* action = new QShortcut(shortcut, root);
    action->setProperty(SHORTCUT_MARK, true);
    QObject::connect(action, &QShortcut::activated, root, [root] { open_inspector(root); });
}

QWidget* open_inspector(QWidget* root)
{
    detail::requireGuiThread("tarnwickview::open_inspector");
    detail::requireRoot(root);

    QPointer<QWidget>& inspector = openInspectors()[root];
    if (!inspector) {
        auto* window = new detail::InspectorWindow(root);
        inspector = window;
        QObject::connect(root, &QObject::destroyed, window, [window] { delete window; });
        // A closed window is deleted later; from its closing on, the next call opens a new one.
        const auto leave = [root, window] {
            const auto found = openInspectors().constFind(root);
            if (found != openInspectors().cend() && (found->isNull() || *found == window))
                openInspectors().erase(found);
        };
        QObject::connect(window, &detail::InspectorWindow::closed, leave);
        QObject::connect(window, &QObject::destroyed, leave);
    }
    inspector->show();
    inspector->raise();
    inspector->activateWindow();
    return inspector;
}

} // namespace tarnwickview
