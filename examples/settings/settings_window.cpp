// SPDX-License-Identifier: MIT
#include "settings_window.h"

#include <velmora/velmora.h>

#include <QKeySequence>
#include <QStringList>

namespace {

// Every label of a page is as wide as the widest one, so that the fields line up; the field
// takes the rest of the row.
constexpr int LABEL_WIDTH = 150;

// One label-and-field row of a page; the caller adds the field to the returned row.
velmora::Section& row(velmora::Section& page, const QString& label)
{
    return page.add_row({.stretches = {0, 1}}).set_margins().add_label(label, {.width = LABEL_WIDTH});
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
    row(network, "Port").add_spinbox({.min = 1, .max = 65535, .value = 8080, .name = "port"});
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
        const auto text = [&ui](const char* name) { return ui.value<QString>(name); };
        const auto yesNo = [&ui](const char* name) {
            return ui.value<bool>(name) ? QStringLiteral("oui") : QStringLiteral("non");
        };
        const QStringList values{
            "Nom d'utilisateur : " + text("utilisateur"),
            "Courriel : " + text("courriel"),
            "Langue : " + text("langue"),
            "Dernière session : " + yesNo("session"),
            "Serveur : " + text("serveur"),
            "Port : " + text("port"),
            "Mot de passe : " + QString::number(text("mot-de-passe").size()) + " caractères",
            "Délai d'attente : " + text("delai"),
            "Mandataire : " + yesNo("mandataire"),
            "Thème : " + text("theme"),
            "Taille du texte : " + text("taille"),
            "Animations : " + yesNo("animations"),
            "Barre d'état : " + yesNo("barre-etat"),
        };
        ui.notify(values.join('\n'), {.kind = "success", .duration = 6000});
    };
    ui.add_row({.align = "right"})
        .set_margins()
        .add_button("Annuler", [&ui] { ui.close(); },
                    {.gap = 8, .name = "annuler", .shortcut = QKeySequence(Qt::Key_Escape)})
        .add_button("Appliquer", apply, {.name = "appliquer"});
}
