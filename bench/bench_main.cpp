// Entry point of every benchmark executable: the widgets need a QApplication before the first
// benchmark runs, and the offscreen platform unless the caller chose another.

#include "widget_tree.h"

#include <QString>
#include <QtGlobal>

#include <benchmark/benchmark.h>

namespace {

QtMessageHandler defaultHandler = nullptr;

// The offscreen platform says, for every window shown, that it cannot pass size hints on;
// that line would bury the results.
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.contains(QLatin1StringView("propagateSizeHints")))
        return;
    defaultHandler(type, context, message);
}

} // namespace

int main(int argc, char** argv)
{
    defaultHandler = qInstallMessageHandler(quietHandler);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    bench::ensureApplication();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
