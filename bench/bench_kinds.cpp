// SPDX-License-Identifier: MIT
// The widget kinds that hold a number, a text, a date or a choice: building a window of them
// through velmora against the same tree written with Qt calls, and reading a form's values
// back with values() against a hand-written loop of getters.

#include "harness.h"
#include "kinds_tree.h"

#include <benchmark/benchmark.h>

namespace {

void kindsVelmora(benchmark::State& state)
{
    bench::Sink sink;
    for (auto _ : state) {
        auto ui = bench::buildKindsWithVelmora(int(state.range(0)), sink);
        benchmark::DoNotOptimize(ui.get());
        state.PauseTiming();
        bench::dropPendingEvents();
        ui.reset();
        state.ResumeTiming();
    }
}

void kindsQt(benchmark::State& state)
{
    bench::Sink sink;
    for (auto _ : state) {
        auto window = bench::buildKindsWithQt(int(state.range(0)), sink);
        benchmark::DoNotOptimize(window.get());
        state.PauseTiming();
        bench::dropPendingEvents();
        window.reset();
        state.ResumeTiming();
    }
}

void valuesVelmora(benchmark::State& state)
{
    const int widgets = int(state.range(0));
    auto ui = bench::buildFormWithVelmora(widgets);
    for (auto _ : state) {
        const QVariantMap values = ui->values();
        benchmark::DoNotOptimize(values.size());
        if (values.size() != widgets)
            bench::fail(state, "values() missed a field");
    }
    bench::dropPendingEvents();
}

void valuesQt(benchmark::State& state)
{
    const int widgets = int(state.range(0));
    const bench::HandForm form = bench::buildFormWithQt(widgets);
    for (auto _ : state) {
        const QVariantMap values = bench::readHandForm(form);
        benchmark::DoNotOptimize(values.size());
        if (values.size() != widgets)
            bench::fail(state, "the loop of getters missed a field");
    }
    bench::dropPendingEvents();
}

} // namespace

// Registered in pairs, size by size, so that both variants run side by side in one process.
const bool registered = [] {
    for (const int widgets : {1000, 10000}) {
        benchmark::RegisterBenchmark("kinds/velmora", kindsVelmora)
            ->Arg(widgets)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("kinds/qt", kindsQt)->Arg(widgets)->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("values/velmora", valuesVelmora)->Arg(1000)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("values/qt", valuesQt)->Arg(1000)->Unit(benchmark::kMicrosecond);
    return true;
}();
