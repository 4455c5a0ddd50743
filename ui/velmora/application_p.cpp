// SPDX-License-Identifier: MIT
#include "application_p.h"

#include "main_window_p.h"

#include <QApplication>
#include <QPointer>
#include <QPointingDevice>

#include <cstdlib>
#include <stdexcept>

namespace velmora::detail {
namespace {

// The application object a wrapper created, if any; null when the caller made its own. The caller
// may delete it through the public `app` member: the guard then forgets it instead of leaving a
// pointer that the exit handler would delete a second time.
QPointer<QApplication> ownedApplication;
int liveWrappers = 0;
// Set by the first exit handler to run: from then on Qt's own globals may be torn down.
bool exiting = false;

// The application object whose destructor deletes velmora's windows first, if any yet.
QPointer<QCoreApplication> windowsTornDownWith;

// A widget that was shown cannot be deleted once the application object is gone: its platform
// window and backing store went with it. Qt runs its post routines first thing in the
// application object's destructor, while both still exist, so the windows velmora made go then
// (their wrappers then refuse every operation, as when Qt deletes a window).
void tearDownWindowsWith(QApplication* application)
{
    if (windowsTornDownWith == application)
        return;
    windowsTornDownWith = application;
    qAddPostRoutine(&MainWindow::deleteAll);
}

void releaseApplicationAtExit()
{
    if (exiting)
        return;
    exiting = true;
    if (liveWrappers == 0)
        delete ownedApplication.data();
    ownedApplication.clear();
}

} // namespace

// The application object a wrapper made is destroyed at exit, once no wrapper is left; a wrapper
// still alive then (one with static storage) keeps it, and the operating system reclaims it.
// Exit handlers run in reverse order of registration, and the application object must go before
// the globals Qt creates lazily (input devices, ...), so the handler is registered when the
// object is made, after the input devices exist, and again after every event loop, whose first
// turns create the rest. Registrations are therefore bounded by the calls to run().
void scheduleApplicationRelease()
{
    if (ownedApplication && !exiting)
        std::atexit(releaseApplicationAtExit);
}

QApplication* ensureApplication()
{
    if (QCoreApplication* existing = QCoreApplication::instance()) {
        if (auto* application = qobject_cast<QApplication*>(existing)) {
            tearDownWindowsWith(application);
            return application;
        }
        throw std::logic_error("UIWrapper: the process already has a QCoreApplication or "
                               "QGuiApplication; widgets need a QApplication");
    }
    // QApplication keeps references to argc and argv for its whole life, so they are static.
    static int argc = 1;
    static char programName[] = "velmora";
    static char* argv[] = {programName, nullptr};
    auto* application = new QApplication(argc, argv);
    ownedApplication = application;
    tearDownWindowsWith(application);
    QPointingDevice::primaryPointingDevice();
    scheduleApplicationRelease();
    return application;
}

void addLiveWrapper()
{
    ++liveWrappers;
}

void removeLiveWrapper()
{
    --liveWrappers;
}

} // namespace velmora::detail
