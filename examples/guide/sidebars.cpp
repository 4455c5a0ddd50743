// SPDX-License-Identifier: MIT
// Bars on the four edges of the window around the content.

#include <velmora/velmora.h>

#include <QApplication>
#include <QStringList>
#include <QTimer>

int main(int argc, char** argv)
{
    velmora::UIWrapper ui({.title = "Barres latérales", .width = 640, .height = 420});

    // "up" and "down" bars are rows, "left" and "right" bars columns; `size` fixes their
    // thickness. The side is case-insensitive; any other word throws velmora::ValueError.
    ui.sidebar("up", {.cross_align = "center", .size = 48}).add_label("Titre").add_spacer().add_label("v1");
    ui.sidebar("left", {.align = "top", .size = 160}).add_button("Accueil", [] {}).add_button("Réglages", [] {
    });
    ui.sidebar("down").add_label("Prêt.");
    ui.sidebar("RIGHT", {.size = 120}).add_label("Aide");

    // Asking again returns the same bar; its options are not read a second time.
    ui.sidebar("left").add_button("Quitter", [] { QApplication::quit(); });

    ui.add_label("Contenu", {.stretch = 1});

    const QStringList args(argv, argv + argc);
    if (const qsizetype i = args.indexOf("--quit-after"); i >= 0 && i + 1 < args.size())
        QTimer::singleShot(args[i + 1].toInt(), ui.app, &QApplication::quit);
    return ui.run();
}
