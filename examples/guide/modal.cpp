// SPDX-License-Identifier: MIT
// A modal secondary window: the other windows take no input until it closes.

#include <velmora/velmora.h>

#include <QApplication>
#include <QStringList>
#include <QTimer>

#include <memory>

int main(int argc, char** argv)
{
    velmora::UIWrapper ui({.title = "Document", .width = 420, .height = 240, .padding = 12});
    std::unique_ptr<velmora::UIWrapper> confirm; // destroyed before `ui`, as it must be

    ui.add_label("Un document non enregistré.").add_spacer().add_button("Supprimer…", [&ui, &confirm] {
        // Each click replaces the previous window, which the user has closed by then.
        confirm =
            ui.open_window({.title = "Confirmer", .width = 300, .height = 120, .padding = 12, .modal = true});
        confirm->add_label("Supprimer le document ?")
            .add_row({.align = "right"})
            .add_button("Annuler", [&confirm] { confirm->window->close(); }, {.gap = 8})
            .add_button("Supprimer", [&ui, &confirm] {
                confirm->window->close();
                ui.notify("Document supprimé.", {.kind = "success"});
            });
    });

    const QStringList args(argv, argv + argc);
    if (const qsizetype i = args.indexOf("--quit-after"); i >= 0 && i + 1 < args.size())
        QTimer::singleShot(args[i + 1].toInt(), ui.app, &QApplication::quit);
    return ui.run();
}
