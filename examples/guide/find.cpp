// SPDX-License-Identifier: MIT
// find<T> looks through the whole window: each section, its rows, columns and tab pages, and the
// sidebars. A form whose fields sit in rows of their own is read back without keeping the rows.

#include <velmora/velmora.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QStringList>
#include <QTimer>

int main(int argc, char** argv)
{
    velmora::UIWrapper ui({.title = "Recherche", .width = 420, .height = 260, .padding = 12});

    // One row per field, and the rows are not kept.
    const auto field = [](velmora::Section& page, const QString& label) -> velmora::Section& {
        return page.add_row().add_label(label);
    };
    const velmora::TabSections tabs = ui.add_tabs({"Identité", "Adresse"}, {.stretch = 1});
    field(tabs.at("Identité"), "Nom").add_input({.name = "nom"});
    field(tabs.at("Identité"), "Courriel").add_input({.name = "courriel"});
    field(tabs.at("Adresse"), "Ville").add_input({.name = "ville"});
    field(tabs.at("Adresse"), "Pays").add_dropdown({"France", "Belgique", "Suisse"}, {.name = "pays"});

    ui.sidebar("down").add_button("Envoyer", [&ui] {
        ui.notify(ui.find<QLineEdit>("nom")->text() + ", " + ui.find<QLineEdit>("ville")->text() + ", " +
                  ui.find<QComboBox>("pays")->currentText());
    });

    // An unknown name, or another class, gives nullptr; a section's find looks only below it.
    if (ui.find("inconnu") || ui.find<QComboBox>("nom") || tabs.at("Adresse").find("nom"))
        return 1;

    const QStringList args(argv, argv + argc);
    if (const qsizetype i = args.indexOf("--quit-after"); i >= 0 && i + 1 < args.size())
        QTimer::singleShot(args[i + 1].toInt(), ui.app, &QApplication::quit);
    return ui.run();
}
