// SPDX-License-Identifier: MIT
// A first velmora window: a sidebar, a row with a field and a button, and tabs.
// Pass --quit-after MS to close it by itself after MS milliseconds.

#include <velmora/velmora.h>

#include <QApplication>
#include <QLineEdit>
#include <QTimer>

int main(int argc, char** argv)
{
    velmora::UIWrapper ui("Bonjour", 560, 320, 8);
    ui.sidebar("left", {.size = 140}).add_label("Menu").add_button("Quitter", [&ui] { ui.window->close(); });

    velmora::Section& row = ui.add_label("Comment vous appelez-vous ?").add_row();
    row.add_input({.placeholder = "Votre nom", .name = "nom"}).add_button("Saluer", [&ui, &row] {
        const auto* field = row.get<QLineEdit>("nom");
        ui.notify("Bonjour, " + field->text() + " !", {.kind = "success"});
    });

    const velmora::TabSections tabs = ui.add_tabs({"Profil", "Options"});
    tabs.at("Profil").add_checkbox("Recevoir les nouvelles", {.checked = true});
    tabs.at("Options").add_dropdown({"Thème clair", "Thème sombre"});

    const QStringList args(argv, argv + argc);
    if (const qsizetype i = args.indexOf("--quit-after"); i >= 0 && i + 1 < args.size())
        QTimer::singleShot(args[i + 1].toInt(), ui.app, &QApplication::quit);
    return ui.run();
}
