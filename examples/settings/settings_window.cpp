// SPDX-License-Identifier: MIT
#include "settings_window.h"

#include <velmora/velmora.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QStringList>

namespace {

// One label-and-field row of a page; the caller adds the field to the returned row. Every row
// gives its label a third of the width, so that the fields line up.
velmora::Section& row(velmora::Section& page, const QString& label)
{
    return page.add_row({.stretches = {1, 2}}).set_margins().add_label(label);
}

QSpinBox* portField()
{
    auto* port = new QSpinBox;
    port->setRange(1, 65535);
    port->setValue(8080);
    return port;
}

QString yesNo(bool value)
{
    return value ? QStringLiteral("oui") : QStringLiteral("non");
}

} // namespace

void buildSettingsWindow(velmora::UIWrapper& ui)
{
    const velmora::TabSections tabs = ui.add_tabs({"Général", "Réseau", "Apparence"}, {.stretch = 1});

    velmora::Section& general = tabs.at("Général");
    row(general, "Nom d'utilisateur").add_input({.name = "utilisateur", .text = "camille"});
    row(general, "Courriel").add_input({.name = "courriel", .text = "camille@example.org"});
    row(general, "Langue").add_dropdown({"Français", "English", "Deutsch"}, {.name = "langue", .current = 0});
    general.add_checkbox("Ouvrir la dernière session au démarrage", {.checked = true, .name = "session"})
        .add_spacer();

    velmora::Section& network = tabs.at("Réseau");
    row(network, "Serveur").add_input({.name = "serveur", .text = "proxy.example.org"});
    row(network, "Port").add_widget(portField(), {.name = "port"});
    row(network, "Mot de passe").add_input({.name = "mot-de-passe", .text = "secret", .password = true});
    row(network, "Délai d'attente").add_dropdown({"10 s", "30 s", "60 s"}, {.name = "delai", .current = 1});
    network.add_checkbox("Passer par le serveur mandataire", {.checked = true, .name = "mandataire"})
        .add_spacer();

    velmora::Section& appearance = tabs.at("Apparence");
    row(appearance, "Thème").add_dropdown({"Clair", "Sombre", "Système"}, {.name = "theme", .current = 2});
    row(appearance, "Taille du texte")
        .add_dropdown({"Petite", "Normale", "Grande"}, {.name = "taille", .current = 1});
    appearance.add_checkbox("Animations", {.checked = true, .name = "animations"})
        .add_checkbox("Barre d'état", {.name = "barre-etat"})
        .add_spacer();

    const auto apply = [&ui] {
        const QStringList values{
            "Nom d'utilisateur : " + ui.find<QLineEdit>("utilisateur")->text(),
            "Courriel : " + ui.find<QLineEdit>("courriel")->text(),
            "Langue : " + ui.find<QComboBox>("langue")->currentText(),
            "Dernière session : " + yesNo(ui.find<QCheckBox>("session")->isChecked()),
            "Serveur : " + ui.find<QLineEdit>("serveur")->text(),
            "Port : " + QString::number(ui.find<QSpinBox>("port")->value()),
            "Mot de passe : " + QString::number(ui.find<QLineEdit>("mot-de-passe")->text().size()) +
                " caractères",
            "Délai d'attente : " + ui.find<QComboBox>("delai")->currentText(),
            "Mandataire : " + yesNo(ui.find<QCheckBox>("mandataire")->isChecked()),
            "Thème : " + ui.find<QComboBox>("theme")->currentText(),
            "Taille du texte : " + ui.find<QComboBox>("taille")->currentText(),
            "Animations : " + yesNo(ui.find<QCheckBox>("animations")->isChecked()),
            "Barre d'état : " + yesNo(ui.find<QCheckBox>("barre-etat")->isChecked()),
        };
        ui.notify(values.join('\n'), {.kind = "success", .duration = 6000});
    };
    ui.add_row({.align = "right"})
        .set_margins()
        .add_button("Annuler", [&ui] { ui.window->close(); }, {.gap = 8, .name = "annuler"})
        .add_button("Appliquer", apply, {.name = "appliquer"});
}
