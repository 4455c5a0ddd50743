// SPDX-License-Identifier: MIT
// A secondary window with the whole API of the main one; the caller owns it.

#include <velmora/velmora.h>

#include <QApplication>
#include <QStringList>
#include <QTimer>

#include <memory>

int main(int argc, char** argv)
{
    velmora::UIWrapper ui({.title = "Principale", .width = 400, .height = 200, .padding = 12});
    std::unique_ptr<velmora::UIWrapper> details; // destroyed before `ui`, as it must be

    ui.add_button("Détails…", [&ui, &details] {
        if (!details) {
            details = ui.open_window({.title = "Détails", .width = 300, .height = 160, .padding = 12});
            details->add_label("Une seconde fenêtre.").add_button("Fermer", [&details] {
                details->window->close();
            });
        }
        details->window->show(); // open_window shows it once; this brings it back after a close
    });

    const QStringList args(argv, argv + argc);
    if (const qsizetype i = args.indexOf("--quit-after"); i >= 0 && i + 1 < args.size())
        QTimer::singleShot(args[i + 1].toInt(), ui.app, &QApplication::quit);
    return ui.run();
}
