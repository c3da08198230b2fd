#include "platform/linux/QtEndRequests.h"

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include "platform/linux/SessionClient.h"

namespace platform::linux_ {
namespace {

// The self-pipe: the signal handler may only write(); the loop reads the other end. Both ends
// stay open for the life of the process, so a signal that comes late (during the save at exit,
// after the watch is gone) still lands harmlessly in the pipe instead of killing the process.
int gPipe[2] = {-1, -1};

extern "C" void onEndSignal(int sig) {
    int saved = errno;
    unsigned char b = static_cast<unsigned char>(sig);
    if (gPipe[1] >= 0) (void)!write(gPipe[1], &b, 1);
    errno = saved;
}

void drainPipe() {
    unsigned char buf[64];
    while (read(gPipe[0], buf, sizeof buf) > 0) {
    }
}

bool installSignalHandlers() {
    if (gPipe[0] >= 0) {
        // Left over from an earlier watch of this process; not meant for this one.
        drainPipe();
        return true;
    }
    if (pipe2(gPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        gPipe[0] = gPipe[1] = -1;
        return false;
    }
    struct sigaction sa {};
    sa.sa_handler = onEndSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) sigaction(sig, &sa, nullptr);
    return true;
}

}  // namespace

EndRequestWatch::EndRequestWatch(std::function<void()> quit) : FQuit(std::move(quit)) {
    if (installSignalHandlers()) {
        FNotifier = std::make_unique<QSocketNotifier>(gPipe[0], QSocketNotifier::Read);
        QObject::connect(FNotifier.get(), &QSocketNotifier::activated, [this] {
            drainPipe();
            Deliver();
        });
    }
#if QT_CONFIG(sessionmanager)
    // The session manager asks running programs to keep their data before the session ends.
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        FSession = QObject::connect(gui, &QGuiApplication::commitDataRequest, gui,
                                    [this](QSessionManager&) { Deliver(); });
#endif
    FSessionClient = std::make_unique<SessionClient>([this] { Deliver(); });
}

EndRequestWatch::~EndRequestWatch() { QObject::disconnect(FSession); }

void EndRequestWatch::Deliver() {
    if (FRequested) return;
    FRequested = true;
    if (FHandler)
        FHandler();
    else if (FQuit)
        FQuit();
}

}  // namespace platform::linux_
