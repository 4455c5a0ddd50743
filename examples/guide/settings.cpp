// SPDX-License-Identifier: MIT
// Window settings: icon, size limits, resizing, opacity, a close callback and centring.

#include <velmora/velmora.h>

#include <QApplication>
#include <QStringList>
#include <QTimer>

int main(int argc, char** argv)
{
    velmora::UIWrapper ui({.title = "Réglages", .width = 420, .height = 240, .padding = 12});

    ui.set_icon("icone.png") // a missing file leaves the default icon
        .set_min_size(320, 200)
        .set_max_size(800, 600)
        .set_resizable(true) // false fixes the window at its current size
        .set_opacity(0.95)
        .set_on_close([] { qInfo("Au revoir."); })
        .center(); // on the primary screen

    ui.add_label("Cette fenêtre dit au revoir quand on la ferme.");

    const QStringList args(argv, argv + argc);
    if (const qsizetype i = args.indexOf("--quit-after"); i >= 0 && i + 1 < args.size())
        QTimer::singleShot(args[i + 1].toInt(), ui.app, &QApplication::quit);
    return ui.run();
}
