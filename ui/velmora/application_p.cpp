// SPDX-License-Identifier: MIT
#include "application_p.h"

#include <QApplication>
#include <QPointingDevice>

#include <cstdlib>
#include <stdexcept>
#include <utility>

namespace velmora::detail {
namespace {

// The application object a wrapper created, if any; null when the caller made its own.
QApplication* ownedApplication = nullptr;
int liveWrappers = 0;
// Set by the first exit handler to run: from then on Qt's own globals may be torn down.
bool exiting = false;

void releaseApplicationAtExit()
{
    if (exiting)
        return;
    exiting = true;
    if (liveWrappers == 0)
        delete std::exchange(ownedApplication, nullptr);
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
        if (auto* application = qobject_cast<QApplication*>(existing))
            return application;
        throw std::logic_error("UIWrapper: the process already has a QCoreApplication or "
                               "QGuiApplication; widgets need a QApplication");
    }
    // QApplication keeps references to argc and argv for its whole life, so they are static.
    static int argc = 1;
    static char programName[] = "velmora";
    static char* argv[] = {programName, nullptr};
    ownedApplication = new QApplication(argc, argv);
    QPointingDevice::primaryPointingDevice();
    scheduleApplicationRelease();
    return ownedApplication;
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
