#pragma once
// Requests to end the program that come from outside: SIGTERM, SIGINT, SIGHUP and the desktop
// session closing (an X session manager's Die, or the GNOME session manager on the session bus).
// The first reaches the GUI thread as one call of the handler (or a loop quit).
#include <functional>
#include <memory>

class QObject;
class QSocketNotifier;

namespace platform::linux_ {

class SessionClient;

class EndRequestWatch {
public:
    // `quit` ends the message loop when no handler is set. Needs a QCoreApplication.
    explicit EndRequestWatch(std::function<void()> quit);
    ~EndRequestWatch();
    void SetHandler(std::function<void()> handler) { FHandler = std::move(handler); }
    // True once a request was delivered.
    bool Requested() const { return FRequested; }

private:
    void Deliver();
    std::function<void()> FQuit, FHandler;
    std::unique_ptr<QSocketNotifier> FNotifier;
    std::unique_ptr<SessionClient> FSessionClient;
    std::unique_ptr<QObject> FTermination;
    bool FRequested = false;
};

}  // namespace platform::linux_
