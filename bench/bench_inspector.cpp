// SPDX-License-Identifier: MIT
// Times get_tree and generate_qss on wide and nested widget trees of growing size; the time per
// widget should not grow with the size of the tree. A bare traversal of the same widgets gives
// the floor that get_tree is compared with.
//
//   bench_inspector                               all sizes
//   bench_inspector --benchmark_filter=.*/1000$   the smallest size only

#include "widget_tree.h"

#include <tarnwickview/tarnwickview.h>

#include <QApplication>
#include <QBoxLayout>
#include <QDir>
#include <QSet>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Delivers the events that creating the widgets posted, as a running application would; left
// queued, they would make destroying a large tree quadratic.
void settle()
{
    QCoreApplication::sendPostedEvents();
}

// One root whose single layout holds all the other widgets.
std::unique_ptr<QWidget> flatTree(int count)
{
    auto root = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(root.get());
    for (int i = 1; i < count; ++i)
        layout->addWidget(bench::makeMixedWidget(i));
    settle();
    return root;
}

// A complete binary tree: every inner widget lays out its two children, so the depth is log2 of
// the count. (A single chain would make the text itself quadratic: each line carries its depth.)
std::unique_ptr<QWidget> nestedTree(int count)
{
    auto root = std::make_unique<QWidget>();
    QList<QWidget*> nodes{root.get()};
    nodes.reserve(count);
    for (int i = 1; i < count; ++i) {
        QWidget* parent = nodes.at((i - 1) / 2);
        if (!parent->layout())
            new QHBoxLayout(parent);
        QWidget* widget = bench::makeMixedWidget(i);
        parent->layout()->addWidget(widget);
        nodes.append(widget);
    }
    settle();
    return root;
}

void reportPerWidget(benchmark::State& state, int count)
{
    state.SetItemsProcessed(state.iterations() * count);
    state.counters["per_widget"] = benchmark::Counter(count, benchmark::Counter::kIsIterationInvariantRate |
                                                                 benchmark::Counter::kInvert);
}

template<std::unique_ptr<QWidget> (*Build)(int)> void getTree(benchmark::State& state)
{
    const int count = int(state.range(0));
    const auto root = Build(count);
    for (auto _ : state)
        benchmark::DoNotOptimize(tarnwickview::get_tree(root.get()));
    reportPerWidget(state, count);
}

// The floor under get_tree: the same widgets visited in the same order (the node's own layout
// first, then its other child widgets), with no label and no text built.
void visit(QObject* node, qsizetype& visited)
{
    ++visited;
    QSet<QObject*> placed;
    if (const auto* widget = qobject_cast<QWidget*>(node); widget && widget->layout()) {
        const QLayout* layout = widget->layout();
        for (int i = 0; i < layout->count(); ++i) {
            QWidget* child = layout->itemAt(i)->widget();
            if (child && child->parent() == node) {
                placed.insert(child);
                visit(child, visited);
            }
        }
    }
    for (QObject* child : node->children()) {
        if (child->isWidgetType() && !placed.contains(child))
            visit(child, visited);
    }
}

template<std::unique_ptr<QWidget> (*Build)(int)> void bareTraversal(benchmark::State& state)
{
    const int count = int(state.range(0));
    const auto root = Build(count);
    for (auto _ : state) {
        qsizetype visited = 0;
        visit(root.get(), visited);
        benchmark::DoNotOptimize(visited);
    }
    reportPerWidget(state, count);
}

// Sends standard output to /dev/null for the lifetime of the object: generate_qss confirms every
// call there, and the benchmark's own report must stay readable.
class QuietStdout
{
public:
    QuietStdout()
    {
        std::fflush(stdout);
        _saved = ::dup(STDOUT_FILENO);
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        ::dup2(null, STDOUT_FILENO);
        ::close(null);
    }
    ~QuietStdout()
    {
        std::fflush(stdout);
        ::dup2(_saved, STDOUT_FILENO);
        ::close(_saved);
    }
    QuietStdout(const QuietStdout&) = delete;
    QuietStdout& operator=(const QuietStdout&) = delete;

private:
    int _saved = -1;
};

template<std::unique_ptr<QWidget> (*Build)(int)> void generateQss(benchmark::State& state)
{
    const int count = int(state.range(0));
    const auto root = Build(count);
    const QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("style/style.qss"));
    {
        const QuietStdout quiet;
        for (auto _ : state)
            tarnwickview::generate_qss(root.get(), path);
    }
    reportPerWidget(state, count);
}

} // namespace

BENCHMARK(getTree<flatTree>)
    ->Name("get_tree/flat")
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(getTree<nestedTree>)
    ->Name("get_tree/deep")
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(bareTraversal<flatTree>)
    ->Name("traversal/flat")
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(bareTraversal<nestedTree>)
    ->Name("traversal/deep")
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(generateQss<flatTree>)
    ->Name("generate_qss/flat")
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(generateQss<nestedTree>)
    ->Name("generate_qss/deep")
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
