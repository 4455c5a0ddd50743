// SPDX-License-Identifier: MIT
// Style sheets from a file: load_style reads it once, watch_style again at every change.

#include <velmora/velmora.h>

#include <QApplication>
#include <QDir>
#include <QStringList>
#include <QTimer>

#include <filesystem>

int main(int argc, char** argv)
{
    velmora::UIWrapper ui({.title = "Style", .width = 360, .height = 200, .padding = 16});
    ui.add_label("Titre", {.name = "titre"}).add_button("Valider", [] {}, {.name = "valider"});

    // guide.qss is copied beside the program; "#titre" in it selects the label named "titre".
    const QString sheet = QDir(QCoreApplication::applicationDirPath()).filePath("guide.qss");
    ui.load_style(sheet);
    // Edit the file while the window is open: the change shows at once.
    ui.watch_style(sheet);

    // An unreadable file throws std::filesystem::filesystem_error and changes nothing.
    try {
        ui.load_style("absent.qss");
    } catch (const std::filesystem::filesystem_error& error) {
        qInfo("%s", error.what());
    }

    const QStringList args(argv, argv + argc);
    if (const qsizetype i = args.indexOf("--quit-after"); i >= 0 && i + 1 < args.size())
        QTimer::singleShot(args[i + 1].toInt(), ui.app, &QApplication::quit);
    return ui.run();
}
