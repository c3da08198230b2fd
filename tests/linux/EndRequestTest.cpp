#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <stdlib.h>

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusMetaType>
#include <QMap>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QProcess>
#include <QTimer>
#include <chrono>
#include <functional>
#include <thread>

#include "platform/linux/QtLoop.h"
#include "tests/linux/CoreApp.h"
#include "tests/linux/QtWait.h"

using platform::linux_::QtLoopService;

namespace {

QCoreApplication& app() { return coreApp(); }

// Runs the loop until it quits, or fails after 5 s.
int runWithWatchdog(QtLoopService& loop, bool* timedOut) {
    *timedOut = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        *timedOut = true;
        loop.Quit(99);
    });
    watchdog.start(5000);
    return loop.Run();
}

TEST(EndRequestTest, EachSignalReachesTheHandlerOnceInTheLoop) {
    app();
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(sig);
        QtLoopService loop;
        int calls = 0;
        loop.OnEndRequest([&] {
            ++calls;
            // A second signal while shutting down must change nothing.
            raise(sig);
            QTimer::singleShot(100, [&] { loop.Quit(7); });
        });
        QTimer::singleShot(10, [sig] { raise(sig); });
        bool timedOut;
        int rc = runWithWatchdog(loop, &timedOut);
        EXPECT_FALSE(timedOut);
        EXPECT_EQ(rc, 7);
        EXPECT_EQ(calls, 1);
    }
}

TEST(EndRequestTest, WithoutHandlerTheLoopQuitsCleanly) {
    app();
    QtLoopService loop;
    loop.OnEndRequest(nullptr);
    QTimer::singleShot(10, [] { raise(SIGTERM); });
    bool timedOut;
    EXPECT_EQ(runWithWatchdog(loop, &timedOut), 0);
    EXPECT_FALSE(timedOut);
}

TEST(EndRequestTest, SignalArrivingBeforeTheLoopRunsIsDeliveredOnceItDoes) {
    app();
    QtLoopService loop;
    int calls = 0;
    loop.OnEndRequest([&] {
        ++calls;
        loop.Quit(3);
    });
    raise(SIGTERM);  // still during start-up
    raise(SIGTERM);
    bool timedOut;
    EXPECT_EQ(runWithWatchdog(loop, &timedOut), 3);
    EXPECT_EQ(calls, 1);
}

TEST(EndRequestTest, LateSignalAfterTheLoopIsGoneDoesNotKillTheProcess) {
    app();
    {
        QtLoopService loop;
        loop.OnEndRequest([] {});
    }
    // The save at exit runs after the loop; a signal then must not end the process.
    raise(SIGTERM);
    raise(SIGHUP);
    usleep(10000);
    SUCCEED();
}

// The fake GNOME session manager (fake_session_manager.py) on the test session bus.
class FakeSessionManager {
public:
    static constexpr const char* kName = "org.gnome.SessionManager";
    bool Start() {
        if (!getenv("DBUS_SESSION_BUS_ADDRESS") || !FBus.isConnected()) return false;
        FProc.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        // The system's python3 is the one with the dbus and gi modules.
        QString python = access("/usr/bin/python3", X_OK) == 0 ? QStringLiteral("/usr/bin/python3")
                                                               : QStringLiteral("python3");
        FProc.start(python, {QStringLiteral(TOVRA_TEST_DIR "/fake_session_manager.py"),
                             FBus.baseService()});
        if (!FProc.waitForStarted(5000)) return false;
        auto ready = [this] {
            return FBus.interface()->isServiceRegistered(QString::fromLatin1(kName)).value();
        };
        waitFor([&] { return FProc.state() != QProcess::Running || ready(); }, 10000);
        return FProc.state() == QProcess::Running && ready();
    }
    ~FakeSessionManager() {
        if (FProc.state() == QProcess::NotRunning) return;
        FProc.terminate();
        if (!FProc.waitForFinished(5000)) {
            FProc.kill();
            FProc.waitForFinished(2000);
        }
    }
    QDBusMessage Call(const char* method, const QVariantList& args = {}) {
        QDBusMessage m = QDBusMessage::createMethodCall(
            QString::fromLatin1(kName), QStringLiteral("/org/gnome/SessionManager"),
            QStringLiteral("org.tovra.Test"), QString::fromLatin1(method));
        m.setArguments(args);
        return FBus.call(m, QDBus::Block, 5000);
    }
    QStringList Log() {
        QDBusMessage r = Call("Log");
        return r.arguments().isEmpty() ? QStringList{QStringLiteral("no answer")}
                                       : r.arguments().first().toStringList();
    }
    // How many of the signal subscriptions this process holds at the bus are for a client's
    // "Stop": the last one a client makes once its registration is answered.
    int StopSubscriptions() {
        QDBusMessage m = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
            QStringLiteral("org.freedesktop.DBus.Debug.Stats"), QStringLiteral("GetAllMatchRules"));
        QDBusMessage r = FBus.call(m, QDBus::Block, 5000);
        if (r.arguments().isEmpty()) return -1;
        QMap<QString, QStringList> rules;
        r.arguments().first().value<QDBusArgument>() >> rules;
        int n = 0;
        for (const QString& rule : rules.value(FBus.baseService()))
            n += rule.contains(QStringLiteral("ClientPrivate")) &&
                 rule.contains(QStringLiteral("member='Stop'"));
        return n;
    }
    uint Clients() {
        QDBusMessage r = Call("Clients");
        return r.arguments().isEmpty() ? 0 : r.arguments().first().toUInt();
    }

private:
    QDBusConnection FBus = QDBusConnection::sessionBus();
    QProcess FProc;
};

// The session manager's end reaches the handler once; the program's own answer to the end
// comes only after the loop is gone (after the settings were saved); a cancelled end changes
// nothing; leaving on our own unregisters.
TEST(EndRequestTest, SessionManagerOnTheBusEndsTheProgramOnceAndHearsItsAnswerLast) {
    app();
    FakeSessionManager fake;
    if (!fake.Start()) GTEST_SKIP() << "no session bus or no python3 with dbus and gi";
    const QString reg = QStringLiteral("RegisterClient qv-tovra tovra-test-7");
    const QString yes = QStringLiteral("EndSessionResponse true ");
    const QString bye = QStringLiteral("UnregisterClient known");
    struct Case {
        const char* scenario;  // null: the program leaves by itself
        int calls;
        QStringList inHandler, after;
    } cases[] = {
        {"end", 1, {reg, yes}, {reg, yes, yes}},
        {"stop", 1, {reg}, {reg}},
        {"cancel", 0, {}, {reg, yes, bye}},
        {nullptr, 0, {}, {reg, bye}},
    };
    uint clients = fake.Clients();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scenario ? c.scenario : "leaving");
        fake.Call("Reset");
        setenv("DESKTOP_AUTOSTART_ID", "tovra-test-7", 1);
        int calls = 0;
        QStringList inHandler;
        const int subscribed = fake.StopSubscriptions();
        {
            QtLoopService loop;
            QObject scope;  // the timers below end with this case, not in a later test's loop
            loop.OnEndRequest([&] {
                ++calls;
                inHandler = fake.Log();
                QTimer::singleShot(50, &scope, [&] { loop.Quit(5); });
            });
            // The start-up ID is the manager's for this process only.
            EXPECT_EQ(getenv("DESKTOP_AUTOSTART_ID"), nullptr);
            ASSERT_TRUE(waitFor([&] { return fake.Clients() == clients + 1; }, 5000));
            ++clients;
            // The registration's answer has arrived and the client listens for its signals
            // (a bus without statistics gives no count: then a pause must do).
            if (subscribed < 0)
                waitFor([] { return false; }, 200);
            else
                EXPECT_TRUE(
                    waitFor([&] { return fake.StopSubscriptions() > subscribed; }, 5000));
            if (c.scenario) fake.Call("Run", {QString::fromLatin1(c.scenario)});
            QTimer::singleShot(1500, &scope, [&] { loop.Quit(0); });
            bool timedOut;
            int rc = runWithWatchdog(loop, &timedOut);
            EXPECT_FALSE(timedOut);
            EXPECT_EQ(rc, c.calls ? 5 : 0);
        }
        EXPECT_EQ(calls, c.calls);
        if (c.calls) {
            EXPECT_EQ(inHandler, c.inHandler);
        }
        EXPECT_EQ(fake.Log(), c.after);
    }
}

// A program that ends before the registration's answer was read still hears it and says
// goodbye: the manager must not keep a client that vanished (nor the toolkit the call).
TEST(EndRequestTest, ProgramEndingBeforeTheManagerAnsweredStillUnregisters) {
    app();
    FakeSessionManager fake;
    if (!fake.Start()) GTEST_SKIP() << "no session bus or no python3 with dbus and gi";
    fake.Call("Reset");
    setenv("DESKTOP_AUTOSTART_ID", "tovra-test-8", 1);
    {
        QtLoopService loop;
        loop.OnEndRequest([] {});
    }
    EXPECT_EQ(fake.Log(), (QStringList{QStringLiteral("RegisterClient qv-tovra tovra-test-8"),
                                       QStringLiteral("UnregisterClient known")}));
}

}  // namespace
