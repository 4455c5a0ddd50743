// SPDX-License-Identifier: MIT
// Values by name: read, set, enable, hide and refill widgets without fetching them.

#include <velmora/velmora.h>

#include <QApplication>
#include <QStringList>
#include <QTimer>

#include <stdexcept>

int main(int argc, char** argv)
{
    velmora::UIWrapper ui({.title = "Valeurs", .width = 420, .height = 300, .padding = 12});

    ui.add_input({.placeholder = "Quantité",
                  .callback = [&ui](const QString& text) { ui.set_enabled("commander", !text.isEmpty()); },
                  .name = "quantite"})
        .add_dropdown({"France", "Belgique"}, {.callback =
                                                   [&ui](const QString& country) {
                                                       // Each country has its own cities, and express
                                                       // delivery in France only.
                                                       const bool france = country == "France";
                                                       ui.set_options("ville",
                                                                      france ? QStringList{"Lyon", "Brest"}
                                                                             : QStringList{"Liège", "Namur"})
                                                           .set_visible("express", france);
                                                   },
                                               .name = "pays"})
        .add_dropdown({"Lyon", "Brest"}, {.name = "ville"})
        .add_checkbox("Livraison express", {.name = "express"})
        .add_label("", {.name = "resume"})
        .add_button("Commander",
                    [&ui] {
                        // value<T> converts as QVariant does, and throws std::invalid_argument when it
                        // cannot: here when the quantity is not a number.
                        try {
                            const int quantity = ui.value<int>("quantite");
                            ui.set_value("resume",
                                         QString("%1 × %2").arg(quantity).arg(ui.value<QString>("ville")));
                        } catch (const std::invalid_argument&) {
                            ui.notify("La quantité doit être un nombre.", {.kind = "error"});
                        }
                    },
                    {.name = "commander", .enabled = false});

    // Setting a value acts as the user would: typing the quantity enables "Commander", choosing
    // "Belgique" replaces the cities and hides the check box.
    ui.set_value("quantite", "3").set_value("pays", "Belgique");

    const QStringList args(argv, argv + argc);
    if (const qsizetype i = args.indexOf("--quit-after"); i >= 0 && i + 1 < args.size())
        QTimer::singleShot(args[i + 1].toInt(), ui.app, &QApplication::quit);
    return ui.run();
}
