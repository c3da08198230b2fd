#pragma once
// Stand-ins for a desktop: a private X server, and desktop services answering on the test
// process's private session bus from a thread of their own (the service under test calls
// them with blocking calls from the main thread).
#include <sys/types.h>

#include <QDBusMessage>
#include <QVariantList>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace testenv {

// Xvfb on a free display number; DISPLAY points to it while the object lives.
class PrivateXServer {
public:
    PrivateXServer();
    ~PrivateXServer();
    bool running() const { return FPid > 0 && !FDisplay.empty(); }
    const std::string& display() const { return FDisplay; }

private:
    pid_t FPid = -1;
    std::string FDisplay;
    std::optional<std::string> FOldDisplay;
};

// Owns `service` and answers every call at `path`: the handler's values as the reply, or an
// error reply when it returns nullopt. Calls are recorded.
class FakeBusService {
public:
    using Handler = std::function<std::optional<QVariantList>(const QDBusMessage&)>;
    FakeBusService(const QString& service, const QString& path, Handler handler);
    ~FakeBusService();
    bool registered() const { return FRegistered; }
    std::vector<QDBusMessage> calls() const;

    struct Impl;

private:
    std::unique_ptr<Impl> FImpl;
    bool FRegistered = false;
};

// True when the process has its private session bus (set up before the first test).
bool privateBusAvailable();

}  // namespace testenv
