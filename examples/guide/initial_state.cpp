// SPDX-License-Identifier: MIT
// Initial text, echo mode, read-only and enabled states, and the selected entry, all set when
// the widget is made: no callback runs for them.

#include <velmora/velmora.h>

#include <QApplication>
#include <QPushButton>
#include <QStringList>
#include <QTimer>

int main(int argc, char** argv)
{
    velmora::UIWrapper ui({.title = "État initial", .width = 400, .height = 320, .padding = 12});

    const auto logIn = [&ui] { ui.notify("Connexion…"); };
    const auto typed = [&ui](const QString& password) {
        ui.find<QPushButton>("connexion")->setEnabled(!password.isEmpty());
    };

    ui.add_input({.name = "identifiant", .text = "camille"})
        .add_input({.placeholder = "Mot de passe",
                    .callback = typed,
                    .password = true,
                    .on_submit = [logIn](const QString&) { logIn(); }}) // Return or Enter
        .add_input({.text = "Compte n° 42", .read_only = true})
        .add_input({.text = "Réservé aux administrateurs", .enabled = false})
        .add_dropdown({"Français", "English"}, {.current = 1})
        .add_checkbox("Se souvenir de moi", {.checked = true, .enabled = false})
        .add_button("Se connecter", logIn, {.name = "connexion", .enabled = false});

    const QStringList args(argv, argv + argc);
    if (const qsizetype i = args.indexOf("--quit-after"); i >= 0 && i + 1 < args.size())
        QTimer::singleShot(args[i + 1].toInt(), ui.app, &QApplication::quit);
    return ui.run();
}
