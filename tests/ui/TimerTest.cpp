#include <gtest/gtest.h>

#include "platform/fake/FakePlatform.h"
#include "ui/Timer.h"

using platform::fake::FakePlatform;

namespace {

struct TimerFixture : ::testing::Test {
    FakePlatform fp;
    ui::TComponent owner{nullptr};
    ui::TTimer* t = new ui::TTimer(&owner);
    std::vector<uint64_t> fired;
    void SetUp() override {
        t->OnTimer = [this](ui::TObject*) { fired.push_back(fp.loopFake.now()); };
    }
    uint64_t t0() const { return fp.loopFake.now(); }
};

TEST_F(TimerFixture, FiresEveryIntervalWhileEnabled) {
    auto start = t0();
    t->SetInterval(100);
    fp.advance(350);
    EXPECT_EQ(fired, (std::vector<uint64_t>{start + 100, start + 200, start + 300}));
}

TEST_F(TimerFixture, RestartRules) {
    // enabled, 1000 ms by default: armed at creation
    struct Case {
        const char* what;
        std::function<void(ui::TTimer&)> act;
        uint64_t expectedFirstAfterAct;  // ms after the act; 0 = never within 3000
    };
    std::vector<Case> cases = {
        {"same state changes nothing", [](ui::TTimer& x) { x.SetEnabled(true); }, 600},
        {"same interval changes nothing", [](ui::TTimer& x) { x.SetInterval(1000); }, 600},
        {"new interval restarts", [](ui::TTimer& x) { x.SetInterval(700); }, 700},
        {"off then on restarts", [](ui::TTimer& x) { x.SetEnabled(false); x.SetEnabled(true); }, 1000},
        {"off stays off", [](ui::TTimer& x) { x.SetEnabled(false); }, 0},
        {"interval 0 disarms", [](ui::TTimer& x) { x.SetInterval(0); }, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        t->SetEnabled(false);
        t->SetInterval(1000);
        t->SetEnabled(true);
        fp.advance(400);
        fired.clear();
        auto at = t0();
        c.act(*t);
        fp.advance(3000);
        if (c.expectedFirstAfterAct == 0)
            EXPECT_TRUE(fired.empty());
        else {
            ASSERT_FALSE(fired.empty());
            EXPECT_EQ(fired.front() - at, c.expectedFirstAfterAct);
        }
    }
}

TEST(FakeLoopTest, NestedProcessingFromAHandlerFiresOtherTimersAndAdvancesWithBlocks) {
    FakePlatform fp;
    ui::TComponent owner(nullptr);
    auto* slow = new ui::TTimer(&owner);
    auto* blink = new ui::TTimer(&owner);
    slow->SetInterval(60000);
    blink->SetInterval(1000);
    blink->SetEnabled(false);
    int blinks = 0;
    blink->OnTimer = [&](ui::TObject*) { ++blinks; };
    int ticks = 0;
    slow->OnTimer = [&](ui::TObject*) {
        ++ticks;
        slow->SetEnabled(false);
        blink->SetEnabled(true);
        // a 3-second wait in 100 ms steps that keeps handling messages
        for (int i = 0; i < 30; ++i) {
            fp.loopFake.ProcessMessages();
            fp.loopFake.Block(100);
            fp.loopFake.ProcessMessages();
        }
        blink->SetEnabled(false);
        slow->SetEnabled(true);
    };
    auto start = fp.loopFake.now();
    fp.advance(60000);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(blinks, 3);
    // The blocks moved the clock on; the re-armed timer counts from the end of its handler.
    EXPECT_EQ(fp.loopFake.now(), start + 63000);
    fp.advance(60000 - 1);
    EXPECT_EQ(ticks, 1);
    fp.advance(1);
    EXPECT_EQ(ticks, 2);
}

}  // namespace
