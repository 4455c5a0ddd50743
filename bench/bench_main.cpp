// SPDX-License-Identifier: MIT
// Entry point of every benchmark executable: the widgets need a QApplication before the first
// benchmark runs, and the offscreen platform unless the caller chose another.

#include "harness.h"

#include <QApplication>

#include <QString>
#include <QtGlobal>

#include <benchmark/benchmark.h>

namespace {

QtMessageHandler defaultHandler = nullptr;
bool anyFailure = false;

// The offscreen platform says, for every window shown, that it cannot pass size hints on, and
// for every window raised, that it cannot raise it; those lines would bury the results.
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.contains(QLatin1StringView("propagateSizeHints")) ||
        message.contains(QLatin1StringView("does not support raise()")))
        return;
    defaultHandler(type, context, message);
}

} // namespace

namespace bench {

void ensureApplication()
{
    if (!QApplication::instance()) {
        static int argc = 1;
        static char name[] = "bench";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
}

void dropPendingEvents()
{
    QCoreApplication::removePostedEvents(nullptr);
}

void fail(benchmark::State& state, const char* message)
{
    anyFailure = true;
    state.SkipWithError(message);
}

bool failed()
{
    return anyFailure;
}

} // namespace bench

int main(int argc, char** argv)
{
    defaultHandler = qInstallMessageHandler(quietHandler);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    bench::ensureApplication();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    // A filter that matches nothing must not pass for a successful run.
    const std::size_t ran = benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return ran > 0 && !bench::failed() ? 0 : 1;
}
