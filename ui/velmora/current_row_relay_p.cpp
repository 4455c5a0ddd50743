// SPDX-License-Identifier: MIT
#include "current_row_relay_p.h"

#include "callback_guard_p.h"

#include <QTableWidget>

#include <utility>

namespace velmora::detail {

CurrentRowRelay::CurrentRowRelay(QTableWidget* table, RowCallback callback)
    : QObject(table)
    , _table(table)
    , _callback(std::move(callback))
    , _reported(table->currentRow())
{
    QObject::connect(table, &QTableWidget::currentCellChanged, this, &CurrentRowRelay::sync);
    // Rows inserted, removed or sorted above the current one move its index without a
    // currentCellChanged. While the current row itself is removed, Qt makes the next row current
    // before the removal counts it; only the index after the removal is reported.
    const QAbstractItemModel* model = table->model();
    const auto hold = [this] { ++_paused; };
    const auto release = [this] {
        --_paused;
        sync();
    };
    QObject::connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, this, hold);
    QObject::connect(model, &QAbstractItemModel::rowsRemoved, this, release);
    QObject::connect(model, &QAbstractItemModel::layoutAboutToBeChanged, this, hold);
    QObject::connect(model, &QAbstractItemModel::layoutChanged, this, release);
    QObject::connect(model, &QAbstractItemModel::rowsInserted, this, &CurrentRowRelay::sync);
    QObject::connect(model, &QAbstractItemModel::rowsMoved, this, &CurrentRowRelay::sync);
    QObject::connect(model, &QAbstractItemModel::modelReset, this, &CurrentRowRelay::sync);
}

CurrentRowRelay* CurrentRowRelay::of(const QTableWidget* table)
{
    // A table has a handful of direct children (viewport, headers, scroll bars).
    for (QObject* child : table->children()) {
        if (auto* relay = dynamic_cast<CurrentRowRelay*>(child))
            return relay;
    }
    return nullptr;
}

void CurrentRowRelay::sync()
{
    if (_paused > 0)
        return;
    const int row = _table->currentRow();
    if (row == _reported)
        return;
    _reported = row;
    invokeGuarded("add_table", _callback, row);
}

CurrentRowRelay::Pause::Pause(const QTableWidget* table)
    : _relay(CurrentRowRelay::of(table))
{
    if (_relay)
        ++_relay->_paused;
}

CurrentRowRelay::Pause::~Pause()
{
    if (_relay && --_relay->_paused == 0)
        _relay->sync();
}

} // namespace velmora::detail
