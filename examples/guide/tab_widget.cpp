// SPDX-License-Identifier: MIT
// TabSections::widget() is the QTabWidget itself: its position, its signals, the current page.

#include <velmora/velmora.h>

#include <QApplication>
#include <QStringList>
#include <QTabWidget>
#include <QTimer>

int main(int argc, char** argv)
{
    velmora::UIWrapper ui({.title = "Onglets", .width = 420, .height = 260, .padding = 8});

    const velmora::TabSections tabs = ui.add_tabs({"Accueil", "Compte", "Aide"}, {.stretch = 1});
    for (const auto& [title, page] : tabs)
        page.add_label("Page " + title).add_spacer();

    QTabWidget* widget = tabs.widget();
    widget->setTabPosition(QTabWidget::West);
    widget->setCurrentIndex(1);
    QObject::connect(widget, &QTabWidget::currentChanged,
                     [&ui, widget](int index) { ui.notify("Onglet : " + widget->tabText(index)); });

    const QStringList args(argv, argv + argc);
    if (const qsizetype i = args.indexOf("--quit-after"); i >= 0 && i + 1 < args.size())
        QTimer::singleShot(args[i + 1].toInt(), ui.app, &QApplication::quit);
    return ui.run();
}
