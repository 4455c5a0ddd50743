// SPDX-License-Identifier: MIT
// Building a window of N widgets through velmora against the same tree written with Qt calls.

#include "harness.h"
#include "widget_tree.h"

#include <benchmark/benchmark.h>

namespace {

void buildVelmora(benchmark::State& state)
{
    bench::Sink sink;
    for (auto _ : state) {
        auto ui = bench::buildWithVelmora(int(state.range(0)), sink);
        benchmark::DoNotOptimize(ui.get());
        state.PauseTiming();
        bench::dropPendingEvents();
        ui.reset();
        state.ResumeTiming();
    }
}

void buildQt(benchmark::State& state)
{
    bench::Sink sink;
    for (auto _ : state) {
        auto window = bench::buildWithQt(int(state.range(0)), sink);
        benchmark::DoNotOptimize(window.get());
        state.PauseTiming();
        bench::dropPendingEvents();
        window.reset();
        state.ResumeTiming();
    }
}

} // namespace

// Registered in pairs, size by size, so that both variants run side by side in one process.
const bool registered = [] {
    for (const int widgets : {1000, 10000, 100000}) {
        benchmark::RegisterBenchmark("build/velmora", buildVelmora)
            ->Arg(widgets)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("build/qt", buildQt)->Arg(widgets)->Unit(benchmark::kMillisecond);
    }
    return true;
}();
