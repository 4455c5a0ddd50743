// SPDX-License-Identifier: MIT
// From constructing the window to its first painted frame, for a 200-widget window: velmora's
// UIWrapper and run() against the same tree built with Qt calls, shown and handed to exec().
// Every iteration starts from nothing: a new window, a new platform window, a new backing store.

#include "harness.h"
#include "widget_tree.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <benchmark/benchmark.h>

namespace {

constexpr int WIDGETS = 200;

// Ends the event loop once the window has been painted. exit() returns from exec() only after
// the current repaint has finished, children included, so the whole first frame is counted.
class FirstFrame : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !painted) {
            painted = true;
            QCoreApplication::exit(0);
        }
        return QObject::eventFilter(watched, event);
    }

    bool painted = false;
};

// A frame that never comes must fail the benchmark, not hang it.
class Deadline
{
public:
    Deadline()
    {
        _timer.setSingleShot(true);
        QObject::connect(&_timer, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        _timer.start(10000);
    }

private:
    QTimer _timer;
};

void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// Each returns its window, painted once, or nothing when no frame came. Kept out of line so
// that a profiler can single out one start-up.
[[gnu::noinline]] std::unique_ptr<velmora::UIWrapper> firstFrameVelmora(bench::Sink& sink)
{
    auto ui = bench::buildWithVelmora(WIDGETS, sink);
    FirstFrame frame;
    ui->window->installEventFilter(&frame);
    Deadline deadline;
    const int code = ui->run();
    ui->window->removeEventFilter(&frame);
    return code == 0 && frame.painted ? std::move(ui) : nullptr;
}

[[gnu::noinline]] std::unique_ptr<QMainWindow> firstFrameQt(bench::Sink& sink)
{
    auto window = bench::buildWithQt(WIDGETS, sink);
    FirstFrame frame;
    window->installEventFilter(&frame);
    Deadline deadline;
    window->show();
    const int code = QApplication::exec();
    window->removeEventFilter(&frame);
    return code == 0 && frame.painted ? std::move(window) : nullptr;
}

template<typename Start> void startup(benchmark::State& state, Start start)
{
    bench::Sink sink;
    // The first window of the process loads fonts and the style for everyone after it: that
    // is paid once, before any measured start-up, whichever variant runs first.
    static bool warmedUp = [&] {
        start(sink);
        settle();
        return true;
    }();
    benchmark::DoNotOptimize(warmedUp);
    for (auto _ : state) {
        auto window = start(sink);
        state.PauseTiming();
        if (!window)
            bench::fail(state, "the window was never painted");
        window.reset();
        settle();
        state.ResumeTiming();
    }
}

void startupVelmora(benchmark::State& state)
{
    startup(state, firstFrameVelmora);
}

void startupQt(benchmark::State& state)
{
    startup(state, firstFrameQt);
}

const bool registered = [] {
    benchmark::RegisterBenchmark("startup/velmora", startupVelmora)
        ->Arg(WIDGETS)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("startup/qt", startupQt)->Arg(WIDGETS)->Unit(benchmark::kMillisecond);
    return true;
}();

} // namespace
