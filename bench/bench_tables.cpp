// Filling a ten-column table row by row through add_table_row, against the fastest fill a
// developer would write by hand for the same table: setRowCount once, then setItem per cell.
// Both fill the same table (made by add_table) from the same values, hidden or on screen, and
// both include the next event-loop turn, so that work a variant defers is still counted.

#include "harness.h"
#include "widget_tree.h"

#include <QApplication>
#include <QMainWindow>
#include <QTableWidget>

#include <benchmark/benchmark.h>

#include <map>
#include <vector>

namespace {

const QStringList kColumns{QStringLiteral("N°"),       QStringLiteral("Nom"),  QStringLiteral("Ville"),
                           QStringLiteral("Quantité"), QStringLiteral("Prix"), QStringLiteral("Remise"),
                           QStringLiteral("Total"),    QStringLiteral("Date"), QStringLiteral("État"),
                           QStringLiteral("Note")};

// Rows of mixed texts and integers, made once per size and shared by both variants.
const std::vector<QVariantList>& rowsOf(int count)
{
    static std::map<int, std::vector<QVariantList>> cache;
    auto& rows = cache[count];
    if (rows.empty()) {
        rows.reserve(std::size_t(count));
        for (int r = 0; r < count; ++r) {
            rows.push_back({r, QStringLiteral("Client %1").arg(r), QStringLiteral("Lyon"), r % 97, r * 3 + 1,
                            QStringLiteral("5 %"), r * 7, QStringLiteral("2024-05-01"),
                            QStringLiteral("payé"), QStringLiteral("—")});
        }
    }
    return rows;
}

// Shown tables are on screen before the fill starts; sorted ones are hidden, sorting enabled.
enum class Setup { Hidden, Shown, Sorted };

struct Fixture
{
    std::unique_ptr<velmora::UIWrapper> ui;
    QTableWidget* table = nullptr;

    explicit Fixture(Setup setup)
        : ui(std::make_unique<velmora::UIWrapper>(QStringLiteral("Tableau"), 800, 600))
        , table(ui->add_table(kColumns))
    {
        if (setup == Setup::Shown) {
            ui->window->show();
            QCoreApplication::processEvents();
        }
        if (setup == Setup::Sorted)
            table->setSortingEnabled(true);
    }
};

template<typename Fill> void fillBenchmark(benchmark::State& state, Setup setup, Fill fill)
{
    const auto& rows = rowsOf(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto fixture = std::make_unique<Fixture>(setup);
        state.ResumeTiming();
        fill(*fixture, rows);
        QCoreApplication::processEvents();
        state.PauseTiming();
        QTableWidget* table = fixture->table;
        if (table->rowCount() != int(rows.size()))
            bench::fail(state, "the table did not get every row");
        else if (setup != Setup::Sorted &&
                 table->item(table->rowCount() - 1, 1)->text() != rows.back()[1].toString())
            bench::fail(state, "the last row does not hold the last values");
        fixture.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}

// Kept out of line so that a profiler can single out the fill.
[[gnu::noinline]] void fillVelmora(Fixture& fixture, const std::vector<QVariantList>& rows)
{
    for (const QVariantList& values : rows)
        fixture.ui->add_table_row(fixture.table, values);
}

[[gnu::noinline]] void fillQt(Fixture& fixture, const std::vector<QVariantList>& rows)
{
    QTableWidget* table = fixture.table;
    // Sorting once at the end, rather than as each item lands, is what makes a sorted fill fast.
    const bool sorting = table->isSortingEnabled();
    table->setSortingEnabled(false);
    const int first = table->rowCount();
    table->setRowCount(first + int(rows.size()));
    const int columns = table->columnCount();
    for (int r = 0; r < int(rows.size()); ++r) {
        const QVariantList& values = rows[std::size_t(r)];
        for (int c = 0; c < columns && c < values.size(); ++c)
            table->setItem(first + r, c, new QTableWidgetItem(values[c].toString()));
    }
    table->setSortingEnabled(sorting);
}

void registerPair(const std::string& family, int rows, Setup setup)
{
    benchmark::RegisterBenchmark(
        (family + "/velmora").c_str(),
        [setup](benchmark::State& state) { fillBenchmark(state, setup, fillVelmora); })
        ->Arg(rows)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((family + "/qt").c_str(),
                                 [setup](benchmark::State& state) { fillBenchmark(state, setup, fillQt); })
        ->Arg(rows)
        ->Unit(benchmark::kMillisecond);
}

// Names read family/variant/size; the mode sits in the family so that pairs line up.
const bool registered = [] {
    for (const int rows : {10000, 100000}) {
        registerPair("tables-hidden", rows, Setup::Hidden);
        registerPair("tables-shown", rows, Setup::Shown);
    }
    // A sorted table is re-sorted after every appended row: far smaller sizes already tell.
    for (const int rows : {1000, 4000})
        registerPair("tables-sorted", rows, Setup::Sorted);
    return true;
}();

} // namespace
