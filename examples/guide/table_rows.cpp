// SPDX-License-Identifier: MIT
// A named table filled with many rows at once, and a callback for the row the user activates.

#include <velmora/velmora.h>

#include <QApplication>
#include <QList>
#include <QStringList>
#include <QTableWidget>
#include <QTimer>
#include <QVariantList>

int main(int argc, char** argv)
{
    velmora::UIWrapper ui({.title = "Lignes", .width = 480, .height = 360, .padding = 8});

    // Double click, or Enter on the current cell, runs on_activate with the row.
    QTableWidget* table =
        ui.add_table({"Article", "Quantité"},
                     {.stretch = 1, .name = "stock", .on_activate = [&ui](int row) {
                          ui.notify("Article : " + ui.find<QTableWidget>("stock")->item(row, 0)->text());
                      }});

    // The same rows as add_table_row called for each, at the cost of a hand-written fill.
    QList<QVariantList> rows;
    for (int i = 1; i <= 5000; ++i)
        rows.append({QString("Article %1").arg(i), i % 17});
    ui.add_table_rows(table, rows);

    const QStringList args(argv, argv + argc);
    if (const qsizetype i = args.indexOf("--quit-after"); i >= 0 && i + 1 < args.size())
        QTimer::singleShot(args[i + 1].toInt(), ui.app, &QApplication::quit);
    return ui.run();
}
