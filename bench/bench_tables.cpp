// Filling a ten-column table row by row through add_table_row, against the fastest fill a
// developer would write by hand for the same table: setRowCount once, then setItem per cell.
// Both fill the same table (made by add_table) from the same values, hidden or on screen, and
// both include the next event-loop turn, so that work a variant defers is still counted.

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

enum class Visibility { Hidden, Shown };

struct Fixture
{
    std::unique_ptr<velmora::UIWrapper> ui;
    QTableWidget* table = nullptr;

    explicit Fixture(Visibility visibility)
        : ui(std::make_unique<velmora::UIWrapper>(QStringLiteral("Tableau"), 800, 600))
        , table(ui->add_table(kColumns))
    {
        if (visibility == Visibility::Shown) {
            ui->window->show();
            QCoreApplication::processEvents();
        }
    }
};

template<typename Fill> void fillBenchmark(benchmark::State& state, Visibility visibility, Fill fill)
{
    const auto& rows = rowsOf(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto fixture = std::make_unique<Fixture>(visibility);
        state.ResumeTiming();
        fill(*fixture, rows);
        QCoreApplication::processEvents();
        state.PauseTiming();
        if (fixture->table->rowCount() != int(rows.size()))
            state.SkipWithError("the table did not get every row");
        fixture.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}

void fillVelmora(Fixture& fixture, const std::vector<QVariantList>& rows)
{
    for (const QVariantList& values : rows)
        fixture.ui->add_table_row(fixture.table, values);
}

void fillQt(Fixture& fixture, const std::vector<QVariantList>& rows)
{
    QTableWidget* table = fixture.table;
    const int first = table->rowCount();
    table->setRowCount(first + int(rows.size()));
    const int columns = table->columnCount();
    for (int r = 0; r < int(rows.size()); ++r) {
        const QVariantList& values = rows[std::size_t(r)];
        for (int c = 0; c < columns && c < values.size(); ++c)
            table->setItem(first + r, c, new QTableWidgetItem(values[c].toString()));
    }
}

const bool registered = [] {
    for (const int count : {10000, 100000}) {
        for (const auto& [word, visibility] :
             {std::pair{"hidden", Visibility::Hidden}, std::pair{"shown", Visibility::Shown}}) {
            const Visibility v = visibility;
            benchmark::RegisterBenchmark(
                ("tables/velmora/" + std::string(word)).c_str(),
                [v](benchmark::State& state) { fillBenchmark(state, v, fillVelmora); })
                ->Arg(count)
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(("tables/qt/" + std::string(word)).c_str(),
                                         [v](benchmark::State& state) { fillBenchmark(state, v, fillQt); })
                ->Arg(count)
                ->Unit(benchmark::kMillisecond);
        }
    }
    return true;
}();

} // namespace
