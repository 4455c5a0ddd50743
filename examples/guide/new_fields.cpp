// SPDX-License-Identifier: MIT
// The fields 0.3 appends to existing records: label widths that line a form up, button
// shortcuts and toggle groups, the alignment of a field's text.

#include <velmora/velmora.h>

#include <QApplication>
#include <QKeySequence>
#include <QStringList>
#include <QTimer>

int main(int argc, char** argv)
{
    velmora::UIWrapper ui({.title = "Champs", .width = 460, .height = 260, .padding = 12});

    // Labels of one width start their fields at the same x, whatever their texts.
    ui.add_row()
        .add_label("Prix", {.width = 110})
        .add_input({.name = "prix", .text = "12,50", .align = "right"});
    ui.add_row()
        .add_label("Remise accordée", {.width = 110})
        .add_input({.name = "remise", .text = "5", .align = "right"});

    // Checkable buttons of one group in one section: exactly one stays checked.
    velmora::Section& view = ui.add_row();
    for (const QString& mode : QStringList{"Liste", "Grille", "Carte"})
        view.add_button(mode, [] {},
                        {.name = mode, .checkable = true, .checked = mode == "Liste", .group = "vue"});

    // Ctrl+S anywhere in the window clicks the button, callback included.
    ui.add_spacer().add_button("Enregistrer", [&ui] { ui.notify("Enregistré.", {.kind = "success"}); },
                               {.name = "enregistrer", .shortcut = QKeySequence(Qt::CTRL | Qt::Key_S)});

    const QStringList args(argv, argv + argc);
    if (const qsizetype i = args.indexOf("--quit-after"); i >= 0 && i + 1 < args.size())
        QTimer::singleShot(args[i + 1].toInt(), ui.app, &QApplication::quit);
    return ui.run();
}
