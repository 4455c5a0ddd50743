// SPDX-License-Identifier: MIT
// Rows, columns, scroll areas and tabs: each returns a child section, and end() climbs back.

#include <velmora/velmora.h>

#include <QApplication>
#include <QStringList>
#include <QTimer>

int main(int argc, char** argv)
{
    velmora::UIWrapper ui({.title = "Imbrication", .width = 520, .height = 400, .padding = 8});

    ui.add_row({.stretches = {1, 1}, .name = "haut"})
        .add_column()
        .add_label("Colonne A")
        .add_input()
        .end() // back to the row
        .add_column()
        .add_label("Colonne B")
        .add_input()
        .end()
        .end(); // back to the window's section

    const velmora::TabSections tabs = ui.add_tabs({"Liste", "Options"}, {.stretch = 1, .name = "onglets"});

    // A scroll area grows a scroll bar when its content is taller than the room it gets.
    velmora::Section& list = tabs.at("Liste").add_scroll({.stretch = 1});
    for (int i = 1; i <= 40; ++i)
        list.add_label(QString("Élément %1").arg(i));

    // clear() empties a section; its widgets go once the event loop turns.
    tabs.at("Options")
        .add_checkbox("Mode compact")
        .add_button("Vider la liste", [&list] { list.clear(); })
        .add_spacer();

    for (const auto& [title, page] : tabs)
        page.set_margins({.top = 6, .right = 6, .bottom = 6, .left = 6});

    const QStringList args(argv, argv + argc);
    if (const qsizetype i = args.indexOf("--quit-after"); i >= 0 && i + 1 < args.size())
        QTimer::singleShot(args[i + 1].toInt(), ui.app, &QApplication::quit);
    return ui.run();
}
