// SPDX-License-Identifier: MIT
// A list that grows while the window is open. The page is aligned to the top, so run() ends it
// with a stretch, and what the page receives later would land below that stretch, at the bottom.
// The items go into a column of their own, which has no alignment word and so no stretch.

#include <velmora/velmora.h>

#include <QApplication>
#include <QStringList>
#include <QTimer>

int main(int argc, char** argv)
{
    velmora::UIWrapper ui({.title = "Liste", .width = 360, .height = 320, .padding = 12});

    velmora::Section& page = ui.add_column({.stretch = 1, .align = "top"});
    page.add_label("Tâches");
    velmora::Section& items = page.add_column(); // unaligned: new items follow the last one
    items.set_margins();

    int count = 0;
    ui.add_button("Ajouter une tâche",
                  [&items, &count] { items.add_label(QString("Tâche %1").arg(++count)); });

    const QStringList args(argv, argv + argc);
    if (const qsizetype i = args.indexOf("--quit-after"); i >= 0 && i + 1 < args.size())
        QTimer::singleShot(args[i + 1].toInt(), ui.app, &QApplication::quit);
    return ui.run();
}
