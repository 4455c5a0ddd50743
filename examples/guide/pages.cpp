// SPDX-License-Identifier: MIT
// Pages without a tab bar, switched by the buttons of a sidebar.

#include <velmora/velmora.h>

#include <QApplication>
#include <QStringList>
#include <QTimer>

int main(int argc, char** argv)
{
    velmora::UIWrapper ui({.title = "Pages", .width = 560, .height = 320, .padding = 8});

    const velmora::TabSections pages =
        ui.add_tabs({"Accueil", "Comptes", "Aide"}, {.stretch = 1, .tab_bar = false});
    for (const auto& [title, page] : pages)
        page.add_label("Page « " + title + " »").add_spacer();

    velmora::Section& menu = ui.sidebar("left", {.size = 130});
    for (const QString& title : pages.keys()) {
        menu.add_button(title, [pages, title] { pages.show(title); },
                        {.checkable = true, .checked = title == pages.current(), .group = "pages"});
    }
    menu.add_spacer();

    const QStringList args(argv, argv + argc);
    if (const qsizetype i = args.indexOf("--quit-after"); i >= 0 && i + 1 < args.size())
        QTimer::singleShot(args[i + 1].toInt(), ui.app, &QApplication::quit);
    return ui.run();
}
