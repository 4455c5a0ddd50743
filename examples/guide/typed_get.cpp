// SPDX-License-Identifier: MIT
// get<T> returns a registered widget as its own class, or nullptr when the class differs.

#include <velmora/velmora.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QTimer>

int main(int argc, char** argv)
{
    velmora::UIWrapper ui({.title = "Lecture typée", .width = 360, .height = 200, .padding = 12});

    ui.add_input({.placeholder = "Ville", .name = "ville"})
        .add_checkbox("Express", {.name = "express"})
        .add_label("", {.name = "resume"})
        .add_button("Résumer", [&ui] {
            const QString city = ui.get<QLineEdit>("ville")->text();
            const bool express = ui.get<QCheckBox>("express")->isChecked();
            ui.get<QLabel>("resume")->setText(city + (express ? " (express)" : ""));
        });

    // Asked for another class than the widget's, get<T> gives nullptr.
    if (ui.get<QLabel>("ville") != nullptr)
        return 1;

    const QStringList args(argv, argv + argc);
    if (const qsizetype i = args.indexOf("--quit-after"); i >= 0 && i + 1 < args.size())
        QTimer::singleShot(args[i + 1].toInt(), ui.app, &QApplication::quit);
    return ui.run();
}
