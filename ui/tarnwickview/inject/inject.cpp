// The entry point of libtarnwickview-inject.so. Loaded with LD_PRELOAD into a program that uses
// Qt Widgets, it waits for the program's QApplication and then gives it the inspector; any other
// kind of application is left exactly as it is.

#include "injector_p.h"

#include <QApplication>

#include <cstdio>

namespace tarnwickview::detail {
namespace {

// Runs when the program constructs its application object (or at once, if the module is loaded
// into a program whose application already exists).
void startInjector()
{
    auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!application)
        return;

    // A program that builds its application twice gets the injector again, but one banner.
    static bool announced = false;
    const auto* injector = new Injector(application, qEnvironmentVariable("TARNWICKVIEW_TREE"));
    if (announced)
        return;
    announced = true;

    // Written directly rather than through the logging category: the user must see that the
    // module took, whatever message handler or logging rules the program sets up.
    QString banner = QStringLiteral("tarnwickview : inspecteur injecté actif (Ctrl+Shift+I)");
    if (injector->trees())
        banner += QStringLiteral(" ; arborescences des fenêtres ajoutées à ") + injector->trees()->path();
    banner += QLatin1Char('\n');
    std::fputs(banner.toUtf8().constData(), stderr);
    std::fflush(stderr);
}

Q_COREAPP_STARTUP_FUNCTION(startInjector)

} // namespace
} // namespace tarnwickview::detail
