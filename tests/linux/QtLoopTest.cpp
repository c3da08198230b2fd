// The window timers on Qt's loop: a timer may kill itself or another one from its own
// callback, also from inside a nested loop (a modal box), and a killed timer never fires again.
// Under the leak checker this also shows that killed timers are freed, even when the program
// ends before the loop could get to them.
#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>

#include "platform/linux/QtLoop.h"
#include "tests/linux/CoreApp.h"

using platform::linux_::QtLoopService;

namespace {

// Runs the loop until `done` holds, or for at most 5 s.
void spinUntil(QtLoopService& loop, const std::function<bool()>& done) {
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] { loop.Quit(99); });
    watchdog.start(5000);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (done()) loop.Quit(0);
    });
    poll.start(5);
    EXPECT_EQ(loop.Run(), 0) << "timed out";
}

TEST(QtLoopTimers, KilledFromTheirOwnCallbackOrFromANestedLoopTheyStopForGood) {
    coreApp();
    QtLoopService loop;
    const uint32_t self = loop.NewTimerId(), other = loop.NewTimerId(),
                   nested = loop.NewTimerId();
    int selfFired = 0, otherFired = 0, nestedFired = 0;
    bool innerDone = false;
    loop.SetTimer(self, 1, [&] {
        ++selfFired;
        EXPECT_TRUE(loop.KillTimer(self));
        EXPECT_FALSE(loop.KillTimer(self)) << "already gone";
    });
    loop.SetTimer(other, 1000000, [&] { ++otherFired; });
    loop.SetTimer(nested, 2, [&] {
        ++nestedFired;
        loop.KillTimer(nested);
        // A modal box's loop inside the callback: the kill of another timer, and the posted
        // free, run while this callback is still on the stack.
        QEventLoop inner;
        QTimer::singleShot(30, &inner, [&] {
            loop.KillTimer(other);
            QTimer::singleShot(30, &inner, [&] {
                innerDone = true;
                inner.quit();
            });
        });
        inner.exec();
    });
    spinUntil(loop, [&] { return selfFired && innerDone; });
    // Long enough for a timer that was not really stopped to fire again.
    bool waited = false;
    QTimer::singleShot(50, [&] { waited = true; });
    spinUntil(loop, [&] { return waited; });
    EXPECT_EQ(selfFired, 1);
    EXPECT_EQ(nestedFired, 1);
    EXPECT_EQ(otherFired, 0);
    EXPECT_FALSE(loop.KillTimer(other));
}

TEST(QtLoopTimers, ATimerKilledJustBeforeTheEndIsFreedWithTheService) {
    coreApp();
    auto loop = std::make_unique<QtLoopService>();
    const uint32_t id = loop->NewTimerId();
    loop->SetTimer(id, 60000, [] {});
    EXPECT_TRUE(loop->KillTimer(id));
    loop.reset();  // no loop turn in between: the leak checker sees whether it was freed
    // The free posted by the kill must not reach the service that is gone.
    QCoreApplication::processEvents();
}

}  // namespace
