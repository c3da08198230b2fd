#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QTimer>

#include "platform/linux/QtLoop.h"

using platform::linux_::QtLoopService;

namespace {

QCoreApplication& app() {
    static int argc = 1;
    static char name[] = "linux_session_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication a(argc, argv);
    return a;
}

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

}  // namespace
