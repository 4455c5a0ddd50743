// SPDX-License-Identifier: MIT
// Heap cost of a window of N widgets through velmora against the same tree written with Qt
// calls. Bytes come from glibc's own accounting of the blocks in use (malloc and operator new
// alike); allocations are counted by interposing the C allocator, which operator new calls.

#include "harness.h"
#include "kinds_tree.h"
#include "widget_tree.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <atomic>
#include <cstddef>

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* pointer, std::size_t size);
}

namespace {
std::atomic<long> allocationCount{0};
}

extern "C" {
void* malloc(std::size_t size)
{
    allocationCount.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(size);
}

void* calloc(std::size_t count, std::size_t size)
{
    allocationCount.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(count, size);
}

void* realloc(void* pointer, std::size_t size)
{
    allocationCount.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(pointer, size);
}
}

namespace {

std::size_t heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// Builds once, untimed, so that what Qt caches on first use (style, fonts, meta-object data)
// is not charged to the measured window.
template<typename Build> void warmUp(Build build)
{
    bench::Sink sink;
    auto window = build(200, sink);
    benchmark::DoNotOptimize(window.get());
}

template<typename Build> void measure(benchmark::State& state, Build build)
{
    warmUp(build);
    const int widgets = int(state.range(0));
    bench::Sink sink;
    double bytes = 0;
    double allocations = 0;
    for (auto _ : state) {
        const std::size_t heapBefore = heapInUse();
        const long countBefore = allocationCount.load();
        auto window = build(widgets, sink);
        const std::size_t heapAfter = heapInUse();
        const long countAfter = allocationCount.load();
        benchmark::DoNotOptimize(window.get());
        bytes += double(heapAfter) - double(heapBefore);
        allocations += double(countAfter - countBefore);
        state.PauseTiming();
        bench::dropPendingEvents();
        window.reset();
        state.ResumeTiming();
    }
    const double perWidget = double(state.iterations()) * widgets;
    state.counters["bytes_per_widget"] = bytes / perWidget;
    state.counters["allocs_per_widget"] = allocations / perWidget;
}

void memoryVelmora(benchmark::State& state)
{
    measure(state, bench::buildWithVelmora);
}

void memoryQt(benchmark::State& state)
{
    measure(state, bench::buildWithQt);
}

void memoryKindsVelmora(benchmark::State& state)
{
    measure(state, bench::buildKindsWithVelmora);
}

void memoryKindsQt(benchmark::State& state)
{
    measure(state, bench::buildKindsWithQt);
}

// Each variant is built at every size; the counts do not depend on timing.
const bool registered = [] {
    for (const int widgets : {1000, 10000, 100000}) {
        benchmark::RegisterBenchmark("memory/velmora", memoryVelmora)
            ->Arg(widgets)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("memory/qt", memoryQt)->Arg(widgets)->Unit(benchmark::kMillisecond);
    }
    for (const int widgets : {1000, 10000}) {
        benchmark::RegisterBenchmark("memory-kinds/velmora", memoryKindsVelmora)
            ->Arg(widgets)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("memory-kinds/qt", memoryKindsQt)
            ->Arg(widgets)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

} // namespace
