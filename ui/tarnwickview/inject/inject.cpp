// SPDX-License-Identifier: MIT
// The entry point of libtarnwickview-inject.so. Loaded with LD_PRELOAD into a program that uses
// Qt Widgets, it waits for the program's QApplication and then gives it the inspector; any other
// kind of application is left exactly as it is.

#include "injector_p.h"

#include "../logging_p.h"

#include <tarnwickview/tarnwickview.h>

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

    // A program that builds its application twice gets the injector again, but one banner and
    // one report of each mistake in the environment.
    static bool announced = false;
    QStringList mistakes;
    const QString keyText = qEnvironmentVariable("TARNWICKVIEW_SHORTCUT");
    auto shortcut = Injector::parseShortcut(keyText);
    if (!shortcut) {
        mistakes << QStringLiteral("TARNWICKVIEW_SHORTCUT ignoré : « %1 » n'est pas une touche").arg(keyText);
        shortcut = Injector::parseShortcut(QString());
    }
    const QString whenText = qEnvironmentVariable("TARNWICKVIEW_TREE_WHEN");
    auto when = whenText.isEmpty() ? ReportSchedule::When::Settled : ReportSchedule::parseWhen(whenText);
    if (!when) {
        mistakes << QStringLiteral("TARNWICKVIEW_TREE_WHEN ignoré : « %1 » n'est ni shown, ni settled, ni exit")
                        .arg(whenText);
        when = ReportSchedule::When::Settled;
    }

    auto* injector = new Injector(application, *shortcut, *when);
    const QString treeFile = qEnvironmentVariable("TARNWICKVIEW_TREE");
    if (!treeFile.isEmpty())
        injector->reports().addReport([](QWidget* window) { return get_tree(window); }, treeFile);
    const QString styleFile = qEnvironmentVariable("TARNWICKVIEW_STYLE_REPORT");
    if (!styleFile.isEmpty())
        injector->reports().addReport([](QWidget* window) { return get_style_report(window); }, styleFile);
    if (announced)
        return;
    announced = true;

    for (const QString& mistake : std::as_const(mistakes))
        qCWarning(lcTarnwickview).noquote() << mistake;
    const QString key = *shortcut ? QKeySequence(**shortcut).toString(QKeySequence::PortableText)
                                  : QStringLiteral("sans raccourci");
    QString banner = QStringLiteral("inspecteur injecté actif (%1)").arg(key);
    if (!treeFile.isEmpty())
        banner += QStringLiteral(" ; arborescences des fenêtres ajoutées à ") + injector->reports().paths().constFirst();
    if (!styleFile.isEmpty())
        banner += QStringLiteral(" ; diagnostics de style ajoutés à ") + injector->reports().paths().constLast();
    qCInfo(lcTarnwickview).noquote() << banner;
}

Q_COREAPP_STARTUP_FUNCTION(startInjector)

} // namespace
} // namespace tarnwickview::detail
