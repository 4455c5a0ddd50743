// SPDX-License-Identifier: MIT
#pragma once

// Private to velmora: tells a table's on_select callback about each new current row.

#include <velmora/callbacks.h>

#include <QObject>

class QTableWidget;

namespace velmora::detail {

/**
 * Reports the current row of one table, a Qt child of the table, to a callback.
 *
 * The callback runs whenever the current row's index differs from the one it last received: a
 * click on another row, the current row removed, rows inserted or sorted above it. While the
 * rows are replaced, the reports wait, so that the callback sees the outcome and not every
 * step on the way.
 */
class CurrentRowRelay : public QObject
{
public:
    /// Starts reporting the rows of `table` to `callback`; the row current now counts as reported.
    CurrentRowRelay(QTableWidget* table, RowCallback callback);

    /// The relay of `table`; nullptr when it was made without one.
    static CurrentRowRelay* of(const QTableWidget* table);

    /// Holds the reports of a table's relay back for its lifetime, then reports the row if it
    /// changed meanwhile. Does nothing for a table without a relay.
    class Pause
    {
    public:
        /// Holds back the reports of `table`'s relay.
        explicit Pause(const QTableWidget* table);
        /// Reports the current row if it differs from the last one reported.
        ~Pause();
        Q_DISABLE_COPY_MOVE(Pause)

    private:
        CurrentRowRelay* _relay;
    };

private:
    void sync();

    QTableWidget* _table;
    RowCallback _callback;
    int _reported;
    int _paused = 0;
};

} // namespace velmora::detail
