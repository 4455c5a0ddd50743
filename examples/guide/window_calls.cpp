// SPDX-License-Identifier: MIT
// Window-wide calls: a keyboard shortcut, the title, the style sheet, and closing the window.

#include <velmora/velmora.h>

#include <QApplication>
#include <QKeySequence>
#include <QStringList>
#include <QTimer>

int main(int argc, char** argv)
{
    velmora::UIWrapper ui({.title = "Sans titre", .width = 420, .height = 220, .padding = 12});
    ui.set_on_close([] { qInfo("Fenêtre fermée."); });

    int saved = 0;
    ui.add_input({.placeholder = "Titre du document", .name = "titre"})
        .add_checkbox("Thème sombre", {.callback = [&ui](bool dark) {
                          ui.set_window_style(dark ? "QWidget { background: #1f2933; color: white; }" : "");
                      }});

    // Ctrl+S works wherever the focus is in the window; Ctrl+Q closes it as the user would,
    // so the close callback runs.
    ui.add_shortcut(QKeySequence::Save, [&ui, &saved] {
          ui.set_title(ui.value<QString>("titre") + QString(" (enregistré %1 fois)").arg(++saved));
      }).add_shortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), [&ui] { ui.close(); });

    const QStringList args(argv, argv + argc);
    if (const qsizetype i = args.indexOf("--quit-after"); i >= 0 && i + 1 < args.size())
        QTimer::singleShot(args[i + 1].toInt(), ui.app, &QApplication::quit);
    return ui.run();
}
