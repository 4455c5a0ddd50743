// SPDX-License-Identifier: MIT
// Floating notifications of the four kinds at the bottom of the window.

#include <velmora/velmora.h>

#include <QApplication>
#include <QStringList>
#include <QTimer>

int main(int argc, char** argv)
{
    velmora::UIWrapper ui({.title = "Notifications", .width = 520, .height = 240, .padding = 12});

    ui.add_row({.align = "center"})
        .add_button("Info", [&ui] { ui.notify("Pour information."); }) // "info", 3 seconds
        .add_button("Succès", [&ui] { ui.notify("C'est fait.", {.kind = "success"}); })
        .add_button("Attention", [&ui] { ui.notify("Vérifiez.", {.kind = "warning", .duration = 5000}); })
        .add_button("Erreur", [&ui] { ui.notify("Échec.", {.kind = "error", .duration = 8000}); });

    // Notifications need the event loop to go away; an unknown kind looks like "info".
    QTimer::singleShot(0, ui.app, [&ui] { ui.notify("Bienvenue", {.kind = "autre"}); });

    const QStringList args(argv, argv + argc);
    if (const qsizetype i = args.indexOf("--quit-after"); i >= 0 && i + 1 < args.size())
        QTimer::singleShot(args[i + 1].toInt(), ui.app, &QApplication::quit);
    return ui.run();
}
