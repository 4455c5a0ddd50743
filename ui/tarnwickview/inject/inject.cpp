// SPDX-License-Identifier: MIT
// The entry point of libtarnwickview-inject.so. Loaded with LD_PRELOAD into a program that uses
// Qt Widgets, it waits for the program's QApplication and then gives it the inspector; any other
// kind of application is left exactly as it is.

#include "injector_p.h"

#include "../logging_p.h"

#include <QApplication>

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

    QString banner = QStringLiteral("inspecteur injecté actif (Ctrl+Shift+I)");
    if (injector->trees())
        banner += QStringLiteral(" ; arborescences des fenêtres ajoutées à ") + injector->trees()->path();
    qCInfo(lcTarnwickview).noquote() << banner;
}

Q_COREAPP_STARTUP_FUNCTION(startInjector)

} // namespace
} // namespace tarnwickview::detail
