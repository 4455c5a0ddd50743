// SPDX-License-Identifier: MIT
// Which rules style a widget, and which rules of a window's sheets do nothing.

#include <tarnwickview/tarnwickview.h>
#include <velmora/velmora.h>

#include <QPushButton>
#include <QString>

int main()
{
    velmora::UIWrapper ui({.title = "Règles"});
    ui.add_label("Titre", {.name = "titre"}).add_button("Valider", [] {}, {.name = "valider"});
    ui.window->setStyleSheet("QPushButton { color: #444444; padding: 4px }\n"
                             "#valider { color: white; background-color: #2563eb }\n"
                             "QPushButton:hover { background-color: #1d4ed8 }\n"
                             "QSlider { height: 8px }\n");

    // The cascade of one widget: every rule that matches it, and which declaration wins.
    const QString rules = tarnwickview::get_style_rules(ui.get<QPushButton>("valider"));
    qInfo("%s", qUtf8Printable(rules));

    // Grammar errors and rules that match nothing, for every sheet of the window.
    const QString report = tarnwickview::get_style_report(ui.window);
    qInfo("%s", qUtf8Printable(report));

    return report.contains("règle sans effet ligne 4 : QSlider") ? 0 : 1;
}
