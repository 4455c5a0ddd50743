// SPDX-License-Identifier: MIT
// Builds a window through the installed packages and checks what it can see of it.

#include <tarnwickview/tarnwickview.h>
#include <velmora/velmora.h>

#include <QLabel>
#include <QMainWindow>
#include <QTimer>

#include <cstdio>

int main()
{
    velmora::UIWrapper ui({.title = "Consommateur", .width = 320, .height = 200});
    ui.add_label("Bonjour", {.name = "salut"}).add_button("OK", [] {});
    ui.sidebar("left").add_label("Menu");

    const auto* label = qobject_cast<QLabel*>(ui.get("salut"));
    if (!label || label->text() != "Bonjour") {
        std::puts("consumer: label not found");
        return 1;
    }
    try {
        ui.sidebar("middle");
        std::puts("consumer: unknown side accepted");
        return 1;
    } catch (const velmora::ValueError&) {
    }

    const QString tree = tarnwickview::get_tree(ui.window);
    if (!tree.startsWith("QMainWindow\n") || !tree.contains("QLabel  'Bonjour'  [#salut]")) {
        std::puts("consumer: unexpected tree");
        return 1;
    }

    QTimer::singleShot(0, ui.app, [] { QCoreApplication::exit(5); });
    const int code = ui.run();
    std::printf("consumer: run returned %d\n", code);
    return code == 5 ? 0 : 1;
}
