// SPDX-License-Identifier: MIT
// The inspector describes any widget tree; here a velmora window, without showing it.

#include <tarnwickview/tarnwickview.h>
#include <velmora/velmora.h>

#include <QString>

int main()
{
    velmora::UIWrapper ui({.title = "Inspecteur"});
    ui.sidebar("left").add_button("Menu", [] {}, {.name = "menu"});
    ui.add_label("Bonjour").add_input({.name = "saisie"});

    const QString tree = tarnwickview::get_tree(ui.window); // the text itself
    tarnwickview::print_tree(ui.window);                    // on standard output
    tarnwickview::save_tree(ui.window, "arbre.txt");        // "ui_tree.txt" by default

    // A commented style-sheet template: one block per kind of widget, one per named widget.
    // The folder is created; the default path is "style/style.qss".
    tarnwickview::generate_qss(ui.window, "style/modele.qss");

    return tree.startsWith("QMainWindow") ? 0 : 1;
}
