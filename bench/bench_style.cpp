// SPDX-License-Identifier: MIT
// Times the style-sheet cascade of one widget (get_style_rules) in large windows under large
// sheets, and the whole-window diagnostics (get_style_report), whose cost should grow with
// widgets x rules and no faster.
//
//   bench_style                                    all sizes
//   bench_style --benchmark_filter=/1000/100$      the smallest size only

#include "harness.h"
#include "widget_tree.h"

#include <tarnwickview/tarnwickview.h>

#include <QApplication>
#include <QBoxLayout>
#include <QFrame>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Groups of ten mixed widgets, each group in a named frame, the frames in columns of ten: the
// descendant and child selectors of the sheet have ancestors to walk.
std::unique_ptr<QWidget> window(int count, QWidget** deepest)
{
    auto root = std::make_unique<QWidget>();
    root->setObjectName(QStringLiteral("fenetre"));
    auto* columns = new QHBoxLayout(root.get());
    QFrame* column = nullptr;
    QFrame* group = nullptr;
    for (int i = 1; i < count; ++i) {
        if (i % 100 == 1) {
            column = new QFrame;
            column->setObjectName(QStringLiteral("colonne%1").arg(i / 100));
            new QVBoxLayout(column);
            columns->addWidget(column);
        }
        if (i % 10 == 1) {
            group = new QFrame;
            group->setObjectName(QStringLiteral("groupe%1").arg(i / 10));
            new QVBoxLayout(group);
            column->layout()->addWidget(group);
        }
        QWidget* widget = bench::makeMixedWidget(i);
        group->layout()->addWidget(widget);
        *deepest = widget;
    }
    QCoreApplication::sendPostedEvents();
    return root;
}

// A sheet of `rules` rules of every kind the matcher handles, most of which match few widgets.
QString sheet(int rules)
{
    QString text;
    for (int i = 0; i < rules; ++i) {
        switch (i % 8) {
        case 0:
            text +=
                QStringLiteral("QLabel#w%1 { color: #%2; }\n").arg(i).arg(i % 0xfff, 3, 16, QLatin1Char('0'));
            break;
        case 1:
            text += QStringLiteral("#groupe%1 QPushButton { padding: %2px; }\n").arg(i % 1000).arg(i % 9);
            break;
        case 2:
            text += QStringLiteral("#colonne%1 > QFrame > QLabel { font-size: %2px; }\n")
                        .arg(i % 100)
                        .arg(9 + i % 9);
            break;
        case 3:
            text += QStringLiteral("QPushButton[text=\"%1\"] { min-width: %2px; }\n").arg(i).arg(i % 90);
            break;
        case 4:
            text += QStringLiteral("QLabel:hover, .QPushButton:pressed { background-color: #%1; }\n")
                        .arg(i % 0xfff, 3, 16, QLatin1Char('0'));
            break;
        case 5:
            text += QStringLiteral("QFrame#groupe%1 > * { border-width: 1px; }\n").arg(i % 1000);
            break;
        case 6:
            text += QStringLiteral("QWidget QLabel::item { color: red; }\n");
            break;
        default:
            text += QStringLiteral("#fenetre QAbstractButton#w%1 { font-weight: bold; }\n").arg(i);
            break;
        }
    }
    return text;
}

void cascade(benchmark::State& state)
{
    bench::ensureApplication();
    QWidget* deepest = nullptr;
    const auto root = window(int(state.range(0)), &deepest);
    root->setStyleSheet(sheet(int(state.range(1))));
    for (auto _ : state)
        benchmark::DoNotOptimize(tarnwickview::get_style_rules(deepest));
    bench::dropPendingEvents();
}

void report(benchmark::State& state)
{
    bench::ensureApplication();
    QWidget* deepest = nullptr;
    const auto root = window(int(state.range(0)), &deepest);
    root->setStyleSheet(sheet(int(state.range(1))));
    for (auto _ : state)
        benchmark::DoNotOptimize(tarnwickview::get_style_report(root.get()));
    const double pairs = double(state.range(0)) * double(state.range(1));
    state.counters["per_widget_rule"] = benchmark::Counter(
        pairs, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    bench::dropPendingEvents();
}

} // namespace

BENCHMARK(cascade)->Args({1000, 100})->Args({10000, 100})->Args({10000, 1000})->Unit(benchmark::kMillisecond);
BENCHMARK(report)
    ->Args({1000, 100})
    ->Args({2000, 100})
    ->Args({4000, 100})
    ->Args({8000, 100})
    ->Args({1000, 200})
    ->Args({1000, 400})
    ->Unit(benchmark::kMillisecond);
