// SPDX-License-Identifier: MIT
// A window with a title, a size and an outer margin, one label, and the event loop.

#include <velmora/velmora.h>

#include <QApplication>
#include <QStringList>
#include <QTimer>

int main(int argc, char** argv)
{
    // Title, width, height and padding; or by name: UIWrapper({.title = "Premiers pas", .padding = 16}).
    velmora::UIWrapper ui("Premiers pas", 360, 160, 16);
    ui.add_label("Bonjour depuis velmora.");

    const QStringList args(argv, argv + argc);
    if (const qsizetype i = args.indexOf("--quit-after"); i >= 0 && i + 1 < args.size())
        QTimer::singleShot(args[i + 1].toInt(), ui.app, &QApplication::quit);
    return ui.run();
}
