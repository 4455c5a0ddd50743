// SPDX-License-Identifier: MIT
// Labels, buttons, text fields, drop-down lists and check boxes; named widgets fetched with get.

#include <velmora/velmora.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QTimer>

int main(int argc, char** argv)
{
    velmora::UIWrapper ui({.title = "Widgets", .width = 420, .height = 320, .padding = 12});

    // Callbacks receive the new text of a field or list, the new state of a check box.
    const auto rename = [&ui](const QString& text) {
        ui.get<QLabel>("titre")->setText("Commande de " + text);
    };
    const auto remember = [](bool checked) { qInfo("livraison : %d", checked); };

    ui.add_label("Votre commande", {.name = "titre"})
        .add_input({.placeholder = "Nom", .callback = rename, .name = "nom"})
        .add_dropdown({"Petit", "Moyen", "Grand"}, {.name = "taille"})
        .add_checkbox("Livraison", {.callback = remember, .checked = true, .name = "livraison"})
        // gap: fixed space in pixels after the button.
        .add_button("Annuler", [&ui] { ui.get<QLineEdit>("nom")->clear(); }, {.gap = 12})
        .add_button("Commander", [&ui] {
            const auto* size = ui.get<QComboBox>("taille");
            const auto* delivery = ui.get<QCheckBox>("livraison");
            ui.notify(size->currentText() + (delivery->isChecked() ? ", livré" : ", à emporter"));
        });

    const QStringList args(argv, argv + argc);
    if (const qsizetype i = args.indexOf("--quit-after"); i >= 0 && i + 1 < args.size())
        QTimer::singleShot(args[i + 1].toInt(), ui.app, &QApplication::quit);
    return ui.run();
}
