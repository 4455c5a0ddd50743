// SPDX-License-Identifier: MIT
#include "section.h"

#include "callback_guard_p.h"
#include "current_row_relay_p.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPersistentModelIndex>
#include <QTableWidget>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>
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
// column first, in sorted order, then the rows without one. Only then does a single sort
// reproduce what appending the rows one by one would give.
bool keepsSortedShape(const QTableWidget* table, int sortColumn, Qt::SortOrder order)
{
    const QTableWidgetItem* previous = nullptr;
    bool pastKeys = false;
    for (int row = 0; row < table->rowCount(); ++row) {
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

// What a click selects in a table, from the word of TableOptions::select.
enum class Selection { QtDefault, Cells, Rows, None };

Selection selectionOf(const QString& word)
{
    if (word.isEmpty())
        return Selection::QtDefault;
    if (word == u"cells")
        return Selection::Cells;
    if (word == u"rows")
        return Selection::Rows;
    if (word == u"none")
        return Selection::None;
    throw std::invalid_argument("add_table: select must be \"cells\", \"rows\" or \"none\", not \"" +
                                word.toStdString() + '"');
}

void requireTable(const char* operation, const QTableWidget* table)
{
    if (!table)
        throw std::invalid_argument(std::string(operation) + ": table must not be null");
}

void requireRow(const char* operation, const QTableWidget* table, int row)
{
    requireTable(operation, table);
    if (row < 0 || row >= table->rowCount()) {
        throw std::out_of_range(std::string(operation) + ": row " + std::to_string(row) + " is outside 0 .. " +
                                std::to_string(table->rowCount() - 1));
    }
}

} // namespace

QTableWidget* Section::add_table(const QStringList& columns, const TableOptions& options)
{
    requireAlive("add_table");
    const Selection selection = selectionOf(options.select);
    auto* table = new QTableWidget;
    table->setColumnCount(int(columns.size()));
    table->setHorizontalHeaderLabels(columns);
    if (options.rows > 0)
        table->setRowCount(options.rows);
    _register(options.name, table);
    if (options.read_only)
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    if (selection == Selection::Cells)
        table->setSelectionBehavior(QAbstractItemView::SelectItems);
    else if (selection == Selection::Rows)
        table->setSelectionBehavior(QAbstractItemView::SelectRows);
    if (selection == Selection::None)
        table->setSelectionMode(QAbstractItemView::NoSelection);
    else if (options.single)
        table->setSelectionMode(QAbstractItemView::SingleSelection);
    const int widths = int(std::min(options.widths.size(), columns.size()));
    for (int column = 0; column < widths; ++column)
        table->setColumnWidth(column, std::max(0, options.widths[column]));
    if (options.stretch_last)
        table->horizontalHeader()->setStretchLastSection(true);
    if (options.on_activate) {
        // A double click activates the row; it would otherwise open the cell's editor instead.
        table->setEditTriggers(table->editTriggers() & ~QAbstractItemView::DoubleClicked);
        QObject::connect(table, &QTableWidget::cellActivated, table,
                         [callback = options.on_activate](int row, int) {
                             detail::invokeGuarded("add_table", callback, row);
                         });
    }
    if (options.on_select)
        new detail::CurrentRowRelay(table, options.on_select);
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
    // Qt's sort moves the cells of a row but leaves its header label in place: each label is
    // taken off and follows its row through the sort.
    std::vector<std::pair<QPersistentModelIndex, QTableWidgetItem*>> labels;
    for (int labelled = keyedCount; labelled < first; ++labelled) {
        if (table->verticalHeaderItem(labelled))
            labels.emplace_back(table->model()->index(labelled, 0), table->takeVerticalHeaderItem(labelled));
    }
    table->setRowCount(first + int(rows.size()) - keyedCount);
    int row = first;
    for (const QVariantList& values : rows) {
        if (values.size() <= sortColumn)
            fillRow(table, row++, columns, values);
    }
    table->setSortingEnabled(true);
    header->setSortIndicatorShown(indicatorShown);
    for (const auto& [index, label] : labels)
        table->setVerticalHeaderItem(index.row(), label);
    return *this;
}

Section& Section::set_table_rows(QTableWidget* table, const QList<QVariantList>& rows)
{
    requireAlive("set_table_rows");
    requireTable("set_table_rows", table);
    const int row = table->currentRow();
    const int column = table->currentColumn();
    // on_select hears of the outcome only: the emptied table on the way has no current row.
    const detail::CurrentRowRelay::Pause pause(table);
    table->setRowCount(0);
    add_table_rows(table, rows);
    if (row >= 0 && row < table->rowCount())
        table->setCurrentCell(row, column);
    else
        table->selectionModel()->clear();
    return *this;
}

QStringList Section::table_row(QTableWidget* table, int row) const
{
    requireAlive("table_row");
    requireRow("table_row", table, row);
    const int columns = table->columnCount();
    QStringList texts;
    texts.reserve(columns);
    for (int column = 0; column < columns; ++column) {
        const QTableWidgetItem* item = table->item(row, column);
        texts.append(item ? item->text() : QString());
    }
    return texts;
}

Section& Section::remove_table_row(QTableWidget* table, int row)
{
    requireAlive("remove_table_row");
    requireRow("remove_table_row", table, row);
    table->removeRow(row);
    return *this;
}

Section& Section::filter_rows(QTableWidget* table, const std::function<bool(int row)>& keep)
{
    requireAlive("filter_rows");
    requireTable("filter_rows", table);
    const int count = table->rowCount();
    // Every answer first, so that a `keep` that throws leaves every row as it was.
    std::vector<bool> hide(std::size_t(count), false);
    if (keep) {
        for (int row = 0; row < count; ++row)
            hide[std::size_t(row)] = !keep(row);
    }
    // `keep` may have removed rows; only those still there change.
    const int rowsNow = std::min(count, table->rowCount());
    for (int row = 0; row < rowsNow; ++row) {
        if (table->isRowHidden(row) != hide[std::size_t(row)])
            table->setRowHidden(row, hide[std::size_t(row)]);
    }
    return *this;
}

QList<int> Section::selected_rows(QTableWidget* table) const
{
    requireAlive("selected_rows");
    requireTable("selected_rows", table);
    // Ranges rather than indexes: a selected table of n rows holds n times its columns indexes.
    QList<int> rows;
    for (const QTableWidgetSelectionRange& range : table->selectedRanges()) {
        for (int row = range.topRow(); row <= range.bottomRow(); ++row)
            rows.append(row);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

} // namespace velmora
