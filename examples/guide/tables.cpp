// SPDX-License-Identifier: MIT
// A table with headers, filled row by row; it stays a plain QTableWidget.

#include <velmora/velmora.h>

#include <QApplication>
#include <QStringList>
#include <QTableWidget>
#include <QTimer>

int main(int argc, char** argv)
{
    velmora::UIWrapper ui({.title = "Tableaux", .width = 480, .height = 300, .padding = 8});

    QTableWidget* table = ui.add_table({"Ville", "Habitants"}, {.stretch = 1});
    // Each value shows as text; values beyond the last column are dropped.
    ui.add_table_row(table, {"Lyon", 522250})
        .add_table_row(table, {"Brest", 139456, "ignoré"})
        .add_table_row(table, {"Nice"});

    // A sorted table keeps each new row together while it is being filled.
    table->setSortingEnabled(true);
    ui.add_table_row(table, {"Annecy", 131272});

    // `rows` starts the table with empty rows to fill through Qt's own API.
    QTableWidget* grid = ui.add_table({"A", "B"}, {.rows = 3});
    grid->setItem(0, 0, new QTableWidgetItem("a1"));

    const QStringList args(argv, argv + argc);
    if (const qsizetype i = args.indexOf("--quit-after"); i >= 0 && i + 1 < args.size())
        QTimer::singleShot(args[i + 1].toInt(), ui.app, &QApplication::quit);
    return ui.run();
}
