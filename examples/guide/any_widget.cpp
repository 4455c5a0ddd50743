// SPDX-License-Identifier: MIT
// Any Qt widget in a section: add_widget places it like the others, with a stretch and a name.

#include <velmora/velmora.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSlider>
#include <QStringList>
#include <QTimer>

int main(int argc, char** argv)
{
    velmora::UIWrapper ui({.title = "Tout widget", .width = 420, .height = 300, .padding = 12});

    // Make the widget without a parent: the section's layout gives it one.
    auto* volume = new QSlider(Qt::Horizontal);
    volume->setRange(0, 100);
    auto* level = new QProgressBar;

    ui.add_label("Volume")
        .add_widget(volume, {.name = "volume"})
        .add_widget(level, {.name = "niveau"})
        .add_widget(new QPlainTextEdit("Notes…"), {.stretch = 1, .name = "notes"});

    // Qt's own signals connect as usual.
    QObject::connect(volume, &QSlider::valueChanged, level, &QProgressBar::setValue);
    volume->setValue(40);

    const QStringList args(argv, argv + argc);
    if (const qsizetype i = args.indexOf("--quit-after"); i >= 0 && i + 1 < args.size())
        QTimer::singleShot(args[i + 1].toInt(), ui.app, &QApplication::quit);
    return ui.run();
}
