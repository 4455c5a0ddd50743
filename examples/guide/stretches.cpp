// SPDX-License-Identifier: MIT
// Stretch factors, spacers, fixed spacing, separators, margins and a section's own style.

#include <velmora/velmora.h>

#include <QApplication>
#include <QStringList>
#include <QTimer>

int main(int argc, char** argv)
{
    velmora::UIWrapper ui({.title = "Étirements", .width = 480, .height = 320});

    // Each widget added to the row takes the next entry of `stretches`: 1, then 2, then 0 once
    // the list is used up. An explicit `stretch` wins and leaves the list where it was.
    ui.add_row({.stretches = {1, 2}})
        .add_button("un", [] {})
        .add_button("deux", [] {})
        .add_button("fixe", [] {}, {.stretch = 0})
        .add_button("zéro", [] {})
        .end();

    ui.add_separator()   // a horizontal line in a column, a vertical one in a row
        .add_spacing(20) // 20 fixed pixels
        .add_label("En bas, après un espace élastique :")
        .add_spacer() // takes all the room left
        .add_row()
        .set_spacing(16) // between the row's widgets
        .set_margins({.top = 4, .right = 8, .bottom = 4, .left = 8})
        .set_style("background-color: #eef2ff; border-radius: 6px;")
        .add_label("gauche")
        .add_label("droite");

    const QStringList args(argv, argv + argc);
    if (const qsizetype i = args.indexOf("--quit-after"); i >= 0 && i + 1 < args.size())
        QTimer::singleShot(args[i + 1].toInt(), ui.app, &QApplication::quit);
    return ui.run();
}
