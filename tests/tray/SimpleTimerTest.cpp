#include <gtest/gtest.h>

#include <memory>

#include "platform/fake/FakePlatform.h"
#include "tray/SimpleTimer.h"

namespace {

using tray::TSimpleTimer;

struct SimpleTimerTest : ::testing::Test {
    platform::fake::FakePlatform fp;
    int fired = 0;
    ui::TNotifyEvent count() {
        return [this](ui::TObject*) { ++fired; };
    }
};

TEST_F(SimpleTimerTest, NewTimersAreDisarmedUntilEnabled) {
    TSimpleTimer plain;
    EXPECT_EQ(plain.Interval(), 1000u);
    TSimpleTimer t(20, count());
    EXPECT_FALSE(t.Enabled());
    fp.advance(100);
    EXPECT_EQ(fired, 0);
    t.SetEnabled(true);
    fp.advance(100);
    EXPECT_EQ(fired, 5);
}

TEST_F(SimpleTimerTest, ZeroIntervalArmsNothingAndEnabledStaysFalse) {
    TSimpleTimer t(0, count());
    t.SetEnabled(true);
    EXPECT_FALSE(t.Enabled());
    EXPECT_EQ(fp.loopFake.armedCount(), 0u);
}

TEST_F(SimpleTimerTest, EnablingARunningTimerRestartsItsPeriod) {
    TSimpleTimer t(1000, count());
    t.SetEnabled(true);
    fp.advance(600);
    t.SetEnabled(true);
    fp.advance(999);
    EXPECT_EQ(fired, 0);
    fp.advance(1);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(tray::SharedTimerHandler()->ActiveCount, 1u);
}

TEST_F(SimpleTimerTest, AutoDisableFiresOnceAndReadsDisabledInsideTheCall) {
    TSimpleTimer t(100, nullptr);
    bool enabledInside = true;
    t.SetOnTimer([&](ui::TObject* sender) {
        ++fired;
        enabledInside = static_cast<TSimpleTimer*>(sender)->Enabled();
    });
    t.AutoDisable = true;
    t.SetEnabled(true);
    fp.advance(1000);
    EXPECT_EQ(fired, 1);
    EXPECT_FALSE(enabledInside);
    EXPECT_FALSE(t.Enabled());
    EXPECT_EQ(tray::SharedTimerHandler()->ActiveCount, 0u);
}

TEST_F(SimpleTimerTest, IntervalChangeRestartsOnlyWhenTheValueDiffers) {
    TSimpleTimer t(1000, count());
    t.SetEnabled(true);
    fp.advance(600);
    t.SetInterval(1000);  // same value: the period keeps running
    fp.advance(400);
    EXPECT_EQ(fired, 1);
    fp.advance(300);
    t.SetInterval(500);  // restarts now, with the new period
    fp.advance(499);
    EXPECT_EQ(fired, 1);
    fp.advance(1);
    EXPECT_EQ(fired, 2);
}

TEST_F(SimpleTimerTest, ZeroIntervalOrEmptyEventStopsButKeepsEnabled) {
    TSimpleTimer t(100, count());
    t.SetEnabled(true);
    t.SetInterval(0);
    EXPECT_TRUE(t.Enabled());
    EXPECT_EQ(fp.loopFake.armedCount(), 0u);
    t.SetInterval(100);  // a new non-zero interval re-arms
    fp.advance(100);
    EXPECT_EQ(fired, 1);

    t.SetOnTimer(nullptr);
    EXPECT_TRUE(t.Enabled());
    EXPECT_EQ(fp.loopFake.armedCount(), 0u);
    t.SetOnTimer(count());  // a new event alone does not re-arm
    fp.advance(500);
    EXPECT_EQ(fired, 1);
    t.SetEnabled(true);
    fp.advance(100);
    EXPECT_EQ(fired, 2);
}

TEST_F(SimpleTimerTest, RefusedArmingLeavesTheTimerDisabled) {
    TSimpleTimer t(100, count());
    fp.loopFake.refuseTimers(true);
    t.SetEnabled(true);
    EXPECT_FALSE(t.Enabled());
    EXPECT_EQ(tray::SharedTimerHandler()->ActiveCount, 0u);
}

TEST_F(SimpleTimerTest, TheSharedHandlerLivesFromTheFirstTimerToTheLast) {
    EXPECT_EQ(tray::SharedTimerHandler(), nullptr);
    auto a = std::make_unique<TSimpleTimer>();
    auto b = std::make_unique<TSimpleTimer>(50, count());
    ASSERT_NE(tray::SharedTimerHandler(), nullptr);
    EXPECT_EQ(tray::SharedTimerHandler()->RefCount, 2u);
    EXPECT_NE(a->Id(), b->Id());
    b->SetEnabled(true);
    b.reset();  // destroying an armed timer disarms it
    EXPECT_EQ(fp.loopFake.armedCount(), 0u);
    EXPECT_EQ(tray::SharedTimerHandler()->RefCount, 1u);
    EXPECT_EQ(tray::SharedTimerHandler()->ActiveCount, 0u);
    a.reset();
    EXPECT_EQ(tray::SharedTimerHandler(), nullptr);
    TSimpleTimer again;
    EXPECT_NE(tray::SharedTimerHandler(), nullptr);
    tray::SharedTimerHandler()->TimerWindowProc(0xDEAD);  // no such timer: ignored
}

TEST_F(SimpleTimerTest, AHandlerMayFreeItsOwnTimer) {
    auto t = std::make_unique<TSimpleTimer>(10, nullptr);
    t->SetOnTimer([&](ui::TObject*) {
        ++fired;
        t.reset();
    });
    t->SetEnabled(true);
    fp.advance(100);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(tray::SharedTimerHandler(), nullptr);
}

}  // namespace
