// SPDX-License-Identifier: MIT
// Filling a ten-column table through add_table_row (one call per row) and through add_table_rows
// (one call for all rows), each against the fastest fill a developer would write by hand for the
// same table: setRowCount once, then setItem per cell. Replacing every row of a full table through
// set_table_rows, against setRowCount(0), setRowCount and setItem by hand. Every variant fills the same table
// (made by add_table) from the same values, hidden or on screen, and includes the next event-loop turn, so
// that work a variant defers is still counted.

#include "harness.h"
#include "widget_tree.h"

#include <QApplication>
#include <QMainWindow>
#include <QTableWidget>

#include <benchmark/benchmark.h>

#include <map>

namespace {

const QStringList COLUMNS{QStringLiteral("N°"),       QStringLiteral("Nom"),  QStringLiteral("Ville"),
                          QStringLiteral("Quantité"), QStringLiteral("Prix"), QStringLiteral("Remise"),
                          QStringLiteral("Total"),    QStringLiteral("Date"), QStringLiteral("État"),
                          QStringLiteral("Note")};

// Rows of mixed texts and integers, made once per size and shared by every variant.
const QList<QVariantList>& rowsOf(int count)
{
    static std::map<int, QList<QVariantList>> cache;
    auto& rows = cache[count];
    if (rows.empty()) {
        rows.reserve(count);
        for (int r = 0; r < count; ++r) {
            rows.push_back({r, QStringLiteral("Client %1").arg(r), QStringLiteral("Lyon"), r % 97, r * 3 + 1,
                            QStringLiteral("5 %"), r * 7, QStringLiteral("2024-05-01"),
                            QStringLiteral("payé"), QStringLiteral("—")});
        }
    }
    return rows;
}

// Shown tables are on screen before the fill starts; sorted ones are hidden, sorting enabled, and
// a labelled one holds one empty row with a row header label. Full tables already hold the rows.
enum class Setup { Hidden, Shown, Sorted, SortedLabelled, Full };

struct Fixture
{
    std::unique_ptr<velmora::UIWrapper> ui;
    QTableWidget* table = nullptr;

    explicit Fixture(Setup setup)
        : ui(std::make_unique<velmora::UIWrapper>(QStringLiteral("Tableau"), 800, 600))
        , table(ui->add_table(COLUMNS))
    {
        if (setup == Setup::Shown) {
            ui->window->show();
            QCoreApplication::processEvents();
        }
        if (setup == Setup::Sorted || setup == Setup::SortedLabelled)
            table->setSortingEnabled(true);
        if (setup == Setup::SortedLabelled) {
            table->setRowCount(1);
            table->setVerticalHeaderItem(0, new QTableWidgetItem(QStringLiteral("Total")));
        }
    }
};

template<typename Fill> void fillBenchmark(benchmark::State& state, Setup setup, Fill fill)
{
    const auto& rows = rowsOf(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto fixture = std::make_unique<Fixture>(setup);
        if (setup == Setup::Full)
            fixture->ui->add_table_rows(fixture->table, rows);
        // The labelled row stays; a full table's rows are replaced.
        const int expectedRows = int(rows.size()) + (setup == Setup::SortedLabelled ? 1 : 0);
        state.ResumeTiming();
        fill(*fixture, rows);
        QCoreApplication::processEvents();
        state.PauseTiming();
        QTableWidget* table = fixture->table;
        if (table->rowCount() != expectedRows)
            bench::fail(state, "the table did not get every row");
        else if (setup != Setup::Sorted && setup != Setup::SortedLabelled &&
                 table->item(table->rowCount() - 1, 1)->text() != rows.back()[1].toString())
            bench::fail(state, "the last row does not hold the last values");
        fixture.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}

// Kept out of line so that a profiler can single out the fill.
[[gnu::noinline]] void fillVelmora(Fixture& fixture, const QList<QVariantList>& rows)
{
    for (const QVariantList& values : rows)
        fixture.ui->add_table_row(fixture.table, values);
}

[[gnu::noinline]] void fillVelmoraBulk(Fixture& fixture, const QList<QVariantList>& rows)
{
    fixture.ui->add_table_rows(fixture.table, rows);
}

[[gnu::noinline]] void fillQt(Fixture& fixture, const QList<QVariantList>& rows)
{
    QTableWidget* table = fixture.table;
    // Sorting once at the end, rather than as each item lands, is what makes a sorted fill fast.
    const bool sorting = table->isSortingEnabled();
    table->setSortingEnabled(false);
    const int first = table->rowCount();
    table->setRowCount(first + int(rows.size()));
    const int columns = table->columnCount();
    for (int r = 0; r < int(rows.size()); ++r) {
        const QVariantList& values = rows[r];
        for (int c = 0; c < columns && c < values.size(); ++c)
            table->setItem(first + r, c, new QTableWidgetItem(values[c].toString()));
    }
    table->setSortingEnabled(sorting);
}

[[gnu::noinline]] void replaceVelmora(Fixture& fixture, const QList<QVariantList>& rows)
{
    fixture.ui->set_table_rows(fixture.table, rows);
}

[[gnu::noinline]] void replaceQt(Fixture& fixture, const QList<QVariantList>& rows)
{
    QTableWidget* table = fixture.table;
    table->setRowCount(0);
    table->setRowCount(int(rows.size()));
    const int columns = table->columnCount();
    for (int r = 0; r < int(rows.size()); ++r) {
        const QVariantList& values = rows[r];
        for (int c = 0; c < columns && c < values.size(); ++c)
            table->setItem(r, c, new QTableWidgetItem(values[c].toString()));
    }
}

using Fill = void (*)(Fixture&, const QList<QVariantList>&);

void registerPair(const std::string& family, int rows, Setup setup, Fill velmora, Fill qt = fillQt)
{
    benchmark::RegisterBenchmark(
        (family + "/velmora").c_str(),
        [setup, velmora](benchmark::State& state) { fillBenchmark(state, setup, velmora); })
        ->Arg(rows)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((family + "/qt").c_str(),
                                 [setup, qt](benchmark::State& state) { fillBenchmark(state, setup, qt); })
        ->Arg(rows)
        ->Unit(benchmark::kMillisecond);
}

// Names read family/variant/size; the mode sits in the family so that pairs line up. The
// "tables-bulk" families fill through add_table_rows.
const bool registered = [] {
    for (const int rows : {10000, 100000}) {
        registerPair("tables-hidden", rows, Setup::Hidden, fillVelmora);
        registerPair("tables-shown", rows, Setup::Shown, fillVelmora);
        registerPair("tables-bulk-hidden", rows, Setup::Hidden, fillVelmoraBulk);
        registerPair("tables-bulk-shown", rows, Setup::Shown, fillVelmoraBulk);
        registerPair("tables-bulk-sorted", rows, Setup::Sorted, fillVelmoraBulk);
    }
    // A sorted table holding one labelled row against the same fill without the label.
    registerPair("tables-bulk-sorted", 40000, Setup::Sorted, fillVelmoraBulk);
    for (const int rows : {10000, 40000})
        registerPair("tables-bulk-sorted-labelled", rows, Setup::SortedLabelled, fillVelmoraBulk);
    for (const int rows : {10000, 100000})
        registerPair("tables-replace", rows, Setup::Full, replaceVelmora, replaceQt);
    // Row by row, each row of a sorted table finds its place among all the rows before it, a
    // cost that grows with the table: far smaller sizes already tell.
    for (const int rows : {1000, 4000})
        registerPair("tables-sorted", rows, Setup::Sorted, fillVelmora);
    return true;
}();

} // namespace
