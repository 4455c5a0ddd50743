// SPDX-License-Identifier: MIT
// The cost of an open inspector to the application it inspects. A shown window holding N widgets
// in a scroll area adds a panel of N/10 more in one go and delivers the events that this posted
// (layout, polish, show, repaint), as its event loop would: that is the application's own work, timed with
// the inspector closed and with it open on the window. The inspector's own update comes later, at most every
// 250 ms; the rebuild that the "Actualiser" button does is timed apart.
//
//   bench_live_tree                               all sizes
//   bench_live_tree --benchmark_filter=.*/1000$   the smallest size only

#include "harness.h"
#include "widget_tree.h"

#include <tarnwickview/tarnwickview.h>

#include <QApplication>
#include <QBoxLayout>
#include <QElapsedTimer>
#include <QPushButton>
#include <QScrollArea>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Runs the event loop for `ms` milliseconds, so that everything the window or the inspector
// deferred (the inspector's update included) is done before the timed part starts.
void settleFor(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

qsizetype rowCount(QTreeWidget* tree)
{
    qsizetype rows = 0;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        ++rows;
    return rows;
}

struct Window
{
    std::unique_ptr<QWidget> root = std::make_unique<QWidget>();
    QVBoxLayout* column = nullptr;

    explicit Window(int count)
    {
        auto* scroll = new QScrollArea;
        scroll->setWidgetResizable(true);
        auto* content = new QWidget;
        column = new QVBoxLayout(content);
        for (int i = 1; i < count; ++i)
            column->addWidget(bench::makeMixedWidget(i));
        scroll->setWidget(content);
        auto* outer = new QVBoxLayout(root.get());
        outer->addWidget(scroll);
        root->resize(800, 600);
        root->show();
    }

    ~Window() { bench::dropPendingEvents(); }
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // What the application does: build a panel of `count` widgets, add it to the window, then
    // let its loop deliver what that posted. (Adding widgets one by one to a shown layout costs
    // Qt a layout pass per widget, with or without an inspector; applications build the panel
    // first.)
    void addWidgets(int first, int count) const
    {
        auto* panel = new QWidget;
        auto* rows = new QVBoxLayout(panel);
        for (int i = first; i < first + count; ++i)
            rows->addWidget(bench::makeMixedWidget(i));
        column->addWidget(panel);
        QCoreApplication::processEvents();
    }
};

void addWidgets(benchmark::State& state, bool withInspector)
{
    const int count = int(state.range(0));
    const int added = count / 10;
    for (auto _ : state) {
        state.PauseTiming();
        Window window(count);
        std::unique_ptr<QWidget> inspector;
        if (withInspector)
            inspector.reset(tarnwickview::open_inspector(window.root.get()));
        settleFor(300);
        state.ResumeTiming();

        window.addWidgets(count, added);

        state.PauseTiming();
        if (withInspector) {
            settleFor(300);
            // The update the changes asked for has run by now: one row per line of the tree.
            auto* tree = inspector->findChild<QTreeWidget*>(QStringLiteral("tree"));
            if (rowCount(tree) != tarnwickview::get_tree(window.root.get()).count(u'\n') + 1)
                bench::fail(state, "the inspector's tree did not follow the window");
        }
        inspector.reset();
        state.ResumeTiming();
    }
    state.counters["added"] = added;
}

void refresh(benchmark::State& state)
{
    const int count = int(state.range(0));
    Window window(count);
    window.addWidgets(count, count / 10);
    const std::unique_ptr<QWidget> inspector(tarnwickview::open_inspector(window.root.get()));
    settleFor(300);
    auto* button = inspector->findChild<QPushButton*>(QStringLiteral("refresh"));
    for (auto _ : state)
        button->click();
}

} // namespace

BENCHMARK_CAPTURE(addWidgets, without_inspector, false)
    ->Name("live_tree/adds_without_inspector")
    ->Arg(1000)
    ->Arg(10000)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(addWidgets, with_inspector, true)
    ->Name("live_tree/adds_with_inspector")
    ->Arg(1000)
    ->Arg(10000)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(refresh)->Name("live_tree/refresh")->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
