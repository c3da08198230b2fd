#include "tests/platform/FakeDesktop.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDBusConnection>
#include <QDBusVirtualObject>
#include <QThread>
#include <chrono>
#include <thread>

extern char** environ;

namespace testenv {

PrivateXServer::PrivateXServer() {
    if (const char* d = getenv("DISPLAY")) FOldDisplay = d;
    int fds[2];
    if (pipe(fds) != 0) return;
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_adddup2(&fa, fds[1], 3);
    posix_spawn_file_actions_addclose(&fa, fds[0]);
    posix_spawn_file_actions_addopen(&fa, 2, "/dev/null", O_WRONLY, 0);
    // Under timeout(1): should the test die without its tear-down, the server still goes.
    char* argv[] = {const_cast<char*>("timeout"), const_cast<char*>("600"),
                    const_cast<char*>("Xvfb"), const_cast<char*>("-displayfd"),
                    const_cast<char*>("3"), const_cast<char*>("-screen"),
                    const_cast<char*>("0"), const_cast<char*>("320x240x24"),
                    const_cast<char*>("-nolisten"), const_cast<char*>("tcp"),
                    // Without a desktop's clients the server would reset, and restart its
                    // idle count, each time the last client leaves.
                    const_cast<char*>("-noreset"), nullptr};
    if (posix_spawnp(&FPid, "timeout", &fa, nullptr, argv, environ) != 0) FPid = -1;
    posix_spawn_file_actions_destroy(&fa);
    close(fds[1]);
    std::string number;
    char c;
    // Xvfb writes the display number once it accepts clients.
    while (FPid > 0 && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (FPid > 0 && !number.empty()) {
        FDisplay = ":" + number;
        setenv("DISPLAY", FDisplay.c_str(), 1);
    }
}

PrivateXServer::~PrivateXServer() {
    if (FPid > 0) {
        kill(FPid, SIGTERM);
        waitpid(FPid, nullptr, 0);
    }
    if (FOldDisplay)
        setenv("DISPLAY", FOldDisplay->c_str(), 1);
    else
        unsetenv("DISPLAY");
}

namespace {

class Responder : public QDBusVirtualObject {
public:
    Responder(FakeBusService::Handler h, std::mutex& m, std::vector<QDBusMessage>& calls)
        : FHandler(std::move(h)), FMutex(m), FCalls(calls) {}
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& msg, const QDBusConnection& conn) override {
        {
            std::lock_guard<std::mutex> lock(FMutex);
            FCalls.push_back(msg);
        }
        auto values = FHandler(msg);
        if (values)
            conn.send(msg.createReply(*values));
        else
            conn.send(msg.createErrorReply(QStringLiteral("org.freedesktop.DBus.Error.NotSupported"),
                                           QStringLiteral("not here")));
        return true;
    }

private:
    FakeBusService::Handler FHandler;
    std::mutex& FMutex;
    std::vector<QDBusMessage>& FCalls;
};

}  // namespace

struct FakeBusService::Impl {
    QThread thread;
    QString connName, service;
    std::mutex mutex;
    std::vector<QDBusMessage> calls;
    std::unique_ptr<Responder> responder;
};

FakeBusService::FakeBusService(const QString& service, const QString& path, Handler handler)
    : FImpl(std::make_unique<Impl>()) {
    static int serial = 0;
    FImpl->service = service;
    FImpl->connName = QStringLiteral("fake-desktop-%1").arg(++serial);
    FImpl->responder = std::make_unique<Responder>(std::move(handler), FImpl->mutex, FImpl->calls);
    FImpl->thread.start();
    FImpl->responder->moveToThread(&FImpl->thread);
    QDBusConnection conn =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, FImpl->connName);
    FRegistered = conn.isConnected() &&
                  conn.registerVirtualObject(path, FImpl->responder.get(),
                                             QDBusConnection::SingleNode) &&
                  conn.registerService(service);
}

FakeBusService::~FakeBusService() {
    {
        QDBusConnection conn(FImpl->connName);
        conn.unregisterService(FImpl->service);
    }
    QDBusConnection::disconnectFromBus(FImpl->connName);
    FImpl->thread.quit();
    FImpl->thread.wait();
}

std::vector<QDBusMessage> FakeBusService::calls() const {
    std::lock_guard<std::mutex> lock(FImpl->mutex);
    return FImpl->calls;
}

bool privateBusAvailable() {
    const char* a = getenv("TOVRA_TEST_PRIVATE_BUS");
    return a && *a == '1';
}

}  // namespace testenv
