// SPDX-License-Identifier: MIT
#include "section.h"

#include "callback_guard_p.h"

#include <QHeaderView>
#include <QTableWidget>

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace velmora {
namespace {

// Places one row's values from the first column on, dropping those beyond the table's `columns`.
void fillRow(QTableWidget* table, int row, int columns, const QVariantList& values)
{
    const int count = int(std::min<qsizetype>(values.size(), columns));
    for (int column = 0; column < count; ++column)
        table->setItem(row, column, new QTableWidgetItem(values[column].toString()));
}

// Whether the sorted table is as sorted appends leave it: the rows with a cell in the sort
// column first, in sorted order, then the rows without one, and no row header set. Only then
// does a single sort reproduce what appending the rows one by one would give.
bool keepsSortedShape(const QTableWidget* table, int sortColumn, Qt::SortOrder order)
{
    const QTableWidgetItem* previous = nullptr;
    bool pastKeys = false;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->verticalHeaderItem(row))
            return false;
        const QTableWidgetItem* item = table->item(row, sortColumn);
        if (!item) {
            pastKeys = true;
            continue;
        }
        if (pastKeys)
            return false;
        if (previous && (order == Qt::AscendingOrder ? *item < *previous : *previous < *item))
            return false;
        previous = item;
    }
    return true;
}

} // namespace

QTableWidget* Section::add_table(const QStringList& columns, const TableOptions& options)
{
    requireAlive("add_table");
    auto* table = new QTableWidget;
    table->setColumnCount(int(columns.size()));
    table->setHorizontalHeaderLabels(columns);
    if (options.rows > 0)
        table->setRowCount(options.rows);
    _register(options.name, table);
    if (options.on_activate) {
        // A double click activates the row; it would otherwise open the cell's editor instead.
        table->setEditTriggers(table->editTriggers() & ~QAbstractItemView::DoubleClicked);
        QObject::connect(table, &QTableWidget::cellActivated, table,
                         [callback = options.on_activate](int row, int) {
                             detail::invokeGuarded("add_table", callback, row);
                         });
    }
    _add(table, options.stretch);
    return table;
}

Section& Section::add_table_row(QTableWidget* table, const QVariantList& values)
{
    requireAlive("add_table_row");
    if (!table)
        throw std::invalid_argument("add_table_row: table must not be null");
    // In a sorted table, placing the cell of the sort column moves its row to the sorted place at
    // once. That cell goes in last, so that the row's other cells are already in the row it moves.
    const int sortColumn = table->isSortingEnabled() ? table->horizontalHeader()->sortIndicatorSection() : -1;
    const int row = table->rowCount();
    table->insertRow(row);
    QTableWidgetItem* sortCell = nullptr;
    for (qsizetype column = 0; column < values.size(); ++column) {
        if (column >= table->columnCount())
            break;
        auto* item = new QTableWidgetItem(values[column].toString());
        if (column == sortColumn)
            sortCell = item;
        else
            table->setItem(row, int(column), item);
    }
    if (sortCell)
        table->setItem(row, sortColumn, sortCell);
    return *this;
}

Section& Section::add_table_rows(QTableWidget* table, const QList<QVariantList>& rows)
{
    requireAlive("add_table_rows");
    if (!table)
        throw std::invalid_argument("add_table_rows: table must not be null");
    if (rows.isEmpty())
        return *this;
    QHeaderView* header = table->horizontalHeader();
    const int sortColumn = table->isSortingEnabled() ? header->sortIndicatorSection() : -1;
    const int columns = table->columnCount();
    const bool sorted = sortColumn >= 0 && sortColumn < columns;

    // Rows with a cell in the sort column each move to their sorted place as they arrive.
    std::vector<const QVariantList*> keyed;
    if (sorted) {
        for (const QVariantList& values : rows) {
            if (values.size() > sortColumn)
                keyed.push_back(&values);
        }
    }
    if (keyed.empty()) {
        // Nothing moves: one resize, then the cells, as the fastest fill by hand does.
        const int first = table->rowCount();
        table->setRowCount(first + int(rows.size()));
        for (qsizetype i = 0; i < rows.size(); ++i)
            fillRow(table, first + int(i), columns, rows[i]);
        return *this;
    }

    const Qt::SortOrder order = header->sortIndicatorOrder();
    if (!keepsSortedShape(table, sortColumn, order)) {
        for (const QVariantList& values : rows)
            add_table_row(table, values);
        return *this;
    }
    // Appending one row at a time puts each row before the rows of equal key already there, and
    // leaves the rows without a key at the end in the order they came. One stable sort gives the
    // same order when the keyed rows start at the top, latest first, and the others at the bottom.
    const bool indicatorShown = header->isSortIndicatorShown();
    table->setSortingEnabled(false);
    const int keyedCount = int(keyed.size());
    table->model()->insertRows(0, keyedCount);
    for (int i = 0; i < keyedCount; ++i)
        fillRow(table, i, columns, *keyed[std::size_t(keyedCount - 1 - i)]);
    const int first = table->rowCount();
    table->setRowCount(first + int(rows.size()) - keyedCount);
    int row = first;
    for (const QVariantList& values : rows) {
        if (values.size() <= sortColumn)
            fillRow(table, row++, columns, values);
    }
    table->setSortingEnabled(true);
    header->setSortIndicatorShown(indicatorShown);
    return *this;
}

} // namespace velmora
