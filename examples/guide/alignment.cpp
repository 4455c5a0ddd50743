// SPDX-License-Identifier: MIT
// Alignment words: `align` packs a section's widgets along its direction, `cross_align` sets
// where they sit across it.

#include <velmora/velmora.h>

#include <QApplication>
#include <QStringList>
#include <QTimer>

int main(int argc, char** argv)
{
    velmora::UIWrapper ui({.title = "Alignement", .width = 480, .height = 360});

    // In a row, "left" and "right" pack the widgets at one end, "center" in the middle.
    ui.add_row({.align = "left"}).add_button("à gauche", [] {}).end();
    ui.add_row({.align = "center"}).add_button("au centre", [] {}).end();
    ui.add_row({.align = "right"}).add_button("à droite", [] {}).add_button("aussi", [] {}).end();

    // In a column, "top", "bottom" and "center" do the same vertically; across a column,
    // "left", "right" and "center" place each widget horizontally.
    ui.add_column({.stretch = 1, .align = "bottom", .cross_align = "center"})
        .add_label("en bas, centré")
        .add_label("moi aussi");

    // A word a section does not know is simply ignored.
    ui.add_row({.align = "diagonale"}).add_label("étiré comme sans mot").end();

    const QStringList args(argv, argv + argc);
    if (const qsizetype i = args.indexOf("--quit-after"); i >= 0 && i + 1 < args.size())
        QTimer::singleShot(args[i + 1].toInt(), ui.app, &QApplication::quit);
    return ui.run();
}
