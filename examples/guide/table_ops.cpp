// SPDX-License-Identifier: MIT
// A table set up at creation, refilled without losing its selection, filtered, and read back.

#include <velmora/velmora.h>

#include <QApplication>
#include <QList>
#include <QStringList>
#include <QTableWidget>
#include <QTimer>
#include <QVariantList>

int main(int argc, char** argv)
{
    velmora::UIWrapper ui({.title = "Stock", .width = 520, .height = 380, .padding = 8});
    QStringList items{"Vis", "Écrous", "Rondelles", "Chevilles", "Clous"};

    QTableWidget* table = nullptr;
    const auto filter = [&ui, &table] {
        const QString text = ui.value<QString>("filtre");
        ui.filter_rows(
            table, [&](int row) { return ui.table_row(table, row)[0].contains(text, Qt::CaseInsensitive); });
    };
    ui.add_input(
        {.placeholder = "Filtrer", .callback = [&filter](const QString&) { filter(); }, .name = "filtre"});
    table = ui.add_table({"Article", "Quantité"},
                         {.stretch = 1,
                          .read_only = true,
                          .select = "rows",
                          .single = true,
                          .widths = {260},
                          .stretch_last = true,
                          .on_select = [&ui](int row) { ui.set_enabled("retirer", row >= 0); }});
    ui.add_button("Retirer l'article",
                  [&ui, &table, &items] {
                      if (const QList<int> selected = ui.selected_rows(table); !selected.isEmpty()) {
                          items.removeAt(selected.first());
                          ui.remove_table_row(table, selected.first());
                      }
                  },
                  {.name = "retirer", .enabled = false});

    // Every second the quantities change: the rows are replaced and the selected row stays
    // selected while it exists.
    int tick = 0;
    const auto refill = [&] {
        QList<QVariantList> rows;
        for (const QString& item : items)
            rows.append({item, (++tick * 7) % 50});
        ui.set_table_rows(table, rows);
        filter();
    };
    refill();
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, refill);
    timer.start(1000);

    const QStringList args(argv, argv + argc);
    if (const qsizetype i = args.indexOf("--quit-after"); i >= 0 && i + 1 < args.size())
        QTimer::singleShot(args[i + 1].toInt(), ui.app, &QApplication::quit);
    return ui.run();
}
