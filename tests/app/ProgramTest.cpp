// The program block over the fake platform: the single-instance guard, the loop, the order of
// the end.
#include <gtest/gtest.h>

#include <memory>

#include "app/Program.h"
#include "app/Unit1.h"
#include "lang/DKLang.h"
#include "platform/fake/FakePlatform.h"
#include "ui/Exceptions.h"
#include "ui/Text.h"

namespace app::test {
namespace {

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override { ResetProcessState(); }
    void TearDown() override {
        ResetProcessState();
        lang::ResetLangManager();
    }
    int openLocks() const {
        auto it = fp.namedLocksFake.openCount.find(SingleInstanceLockName);
        return it == fp.namedLocksFake.openCount.end() ? 0 : it->second;
    }
    platform::fake::FakePlatform fp;
};

TEST_F(ProgramTest, SecondCopyIsRefusedWithTheMessageAndTouchesNothing) {
    bool existed = true;
    auto first = fp.namedLocksFake.Create(SingleInstanceLockName, &existed);
    ASSERT_FALSE(existed);

    EXPECT_EQ(RunProgram(), 0);
    ASSERT_EQ(fp.messageBoxesFake.calls.size(), 1u);
    EXPECT_TRUE(fp.messageBoxesFake.calls[0].error);
    EXPECT_EQ(fp.messageBoxesFake.calls[0].text,
              u"Another copy of this program is already running.");
    // No window: no timers, no tray icon, no settings, no audio.
    EXPECT_EQ(fp.loopFake.armedCount(), 0u);
    EXPECT_TRUE(fp.notifyAreaFake.requests.empty());
    EXPECT_TRUE(fp.audioFake.calls.empty());
    EXPECT_EQ(fp.autostartFake.writes + fp.autostartFake.removes, 0);
    // The first copy's guard is still there.
    EXPECT_EQ(openLocks(), 1);
}

TEST_F(ProgramTest, FirstCopyHoldsTheGuardWhileTheLoopRunsAndGivesItUpAtTheEnd) {
    int heldDuringLoop = -1;
    bool windowDuringLoop = false;
    fp.loopFake.Post([&] {
        heldDuringLoop = openLocks();
        windowDuringLoop = fp.loopFake.armedCount() > 0;  // the tick timer is armed
        fp.loopFake.Quit(0);
    });
    EXPECT_EQ(RunProgram(), 0);
    EXPECT_EQ(heldDuringLoop, 1);
    EXPECT_TRUE(windowDuringLoop);
    EXPECT_EQ(openLocks(), 0);
    EXPECT_EQ(fp.loopFake.armedCount(), 0u);  // the window and its timers are gone
    for (auto& c : fp.messageBoxesFake.calls) EXPECT_FALSE(c.error) << ui::ToUtf8(c.text);
}

TEST_F(ProgramTest, ErrorLeavingTheLoopStillGivesUpTheGuardAndSavesTheSettings) {
    fp.loopFake.Post([] { throw ui::Exception(u"loop broke"); });
    EXPECT_THROW(RunProgram(), ui::Exception);
    EXPECT_EQ(openLocks(), 0);
    EXPECT_EQ(fp.loopFake.armedCount(), 0u);  // the window and its timers are gone
    bool saved = false;
    for (auto& [path, text] : fp.profileFilesFake.files)
        saved = saved || text.find("[Work]") != std::string::npos;
    EXPECT_TRUE(saved) << "the settings were not written on the way out";
}

TEST_F(ProgramTest, WithoutAnyLockTheProgramStillRuns) {
    fp.namedLocksFake.unavailable.insert(SingleInstanceLockName);
    bool ran = false;
    fp.loopFake.Post([&] {
        ran = true;
        fp.loopFake.Quit(3);
    });
    EXPECT_EQ(RunProgram(), 3);
    EXPECT_TRUE(ran);
    EXPECT_TRUE(fp.messageBoxesFake.calls.empty());
}

}  // namespace
}  // namespace app::test
