#include "platform/linux/QtEndRequests.h"

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEvent>
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

// The windowing system's request to end the application: Qt sends the application a
// spontaneous Quit event (an X session manager's Die, for one). It becomes our end request,
// so the program ends its own way (a shown settings window is cancelled first).
class TerminationFilter : public QObject {
public:
    explicit TerminationFilter(std::function<void()> deliver) : FDeliver(std::move(deliver)) {}
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (watched != QCoreApplication::instance() || e->type() != QEvent::Quit ||
            !e->spontaneous())
            return false;
        FDeliver();
        return true;
    }

private:
    std::function<void()> FDeliver;
};

}  // namespace

EndRequestWatch::EndRequestWatch(std::function<void()> quit) : FQuit(std::move(quit)) {
    if (installSignalHandlers()) {
        FNotifier = std::make_unique<QSocketNotifier>(gPipe[0], QSocketNotifier::Read);
        QObject::connect(FNotifier.get(), &QSocketNotifier::activated, [this] {
            drainPipe();
            Deliver();
        });
    }
    // Not the session manager's request to save (commitDataRequest): it also comes for a
    // save of the running session, which must not end the program. Its Die does.
    FTermination = std::make_unique<TerminationFilter>([this] { Deliver(); });
    if (auto* app = QCoreApplication::instance()) app->installEventFilter(FTermination.get());
    FSessionClient = std::make_unique<SessionClient>([this] { Deliver(); });
}

EndRequestWatch::~EndRequestWatch() = default;

void EndRequestWatch::Deliver() {
    if (FRequested) return;
    FRequested = true;
    if (FHandler)
        FHandler();
    else if (FQuit)
        FQuit();
}

}  // namespace platform::linux_
