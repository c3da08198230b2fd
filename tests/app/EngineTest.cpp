// The work/rest cycle on the virtual clock: ticks, alerts, switches, pause, blink, idle hold
// and monitor power, through the real timers, tray icon and fake notification area.
#include <vector>

#include "tests/app/AppFixture.h"
#include "ui/Exceptions.h"

namespace app::test {
namespace {

using platform::fake::MessageBoxCall;

class EngineTest : public AppFixture {
protected:
    // Answers the next message box after `ms` of virtual time, remembering what it showed.
    void answerAfter(uint64_t ms, std::vector<MessageBoxCall>* seen = nullptr) {
        fp.messageBoxesFake.queue([this, ms, seen](const MessageBoxCall& c) {
            MessageBoxCall copy = c;
            if (seen) seen->push_back(copy);
            fp.advance(ms);
            return platform::IDOK;
        });
    }
    bool paused() const { return form->N3->Checked(); }
    // A single click on the tray icon, delivered after the double-click time.
    void clickTray() {
        fp.notifyAreaFake.click();
        fp.advance(fp.screenFake.doubleClickTime + 10);
    }
};

TEST_F(EngineTest, FirstTickStartsAWorkPeriodWithoutTouchingIdleOrColours) {
    IdleMinutes = 2;
    const ui::TColor before = form->TextTrayIcon1->Color();
    fp.advance(49);
    EXPECT_EQ(trayText(), u"");
    EXPECT_FALSE(WorkPhase);
    fp.advance(1);
    EXPECT_EQ(trayText(), u"45");
    EXPECT_TRUE(WorkPhase);
    EXPECT_EQ(form->TimeLeft, 45);
    EXPECT_EQ(form->Timer1->Interval(), Minute);
    EXPECT_TRUE(form->Timer1->Enabled());
    EXPECT_FALSE(form->Timer2->Enabled());
    EXPECT_EQ(IdleMinutes, 2);
    EXPECT_EQ(form->TextTrayIcon1->Color(), before);
}

TEST_F(EngineTest, MinuteTicksCountDownAndShowHoursFromOneHundred) {
    form->TimeToWork = 121;
    start();
    EXPECT_EQ(trayText(), u"2h");
    minutes(1);
    EXPECT_EQ(trayText(), u"2h");  // 120
    minutes(1);
    EXPECT_EQ(trayText(), u"1h");  // 119
    minutes(19);
    EXPECT_EQ(trayText(), u"1h");  // 100
    minutes(1);
    EXPECT_EQ(trayText(), u"99");
    EXPECT_EQ(form->TimeLeft, 99);
    EXPECT_EQ(boxes(), 0);
}

TEST_F(EngineTest, RestartPendingTickStartsAFullWorkPeriod) {
    form->TimeToWork = 1;
    start();
    answerAfter(0);
    minutes(1);  // now resting, 15 left
    ASSERT_FALSE(WorkPhase);
    // What the settings window's OK leaves behind.
    WorkPhase = true;
    form->TimeToWork = 30;
    form->TimeLeft = 30;
    form->Timer1->SetInterval(100);
    fp.advance(100);
    EXPECT_EQ(trayText(), u"30");
    EXPECT_EQ(form->Timer1->Interval(), Minute);
    EXPECT_TRUE(WorkPhase);
    minutes(1);
    EXPECT_EQ(trayText(), u"29");
}

TEST_F(EngineTest, TrayTextRule) {
    const std::pair<int32_t, const char16_t*> cases[] = {
        {0, u"0"},    {1, u"1"},    {99, u"99"},  {100, u"1h"}, {119, u"1h"},
        {120, u"2h"}, {150, u"2h"}, {480, u"8h"}, {600, u"10h"}, {-5, u"-5"}};
    for (auto [minutes, text] : cases) EXPECT_EQ(TForm1::TrayText(minutes), text) << minutes;
}

TEST_F(EngineTest, WorkLengthOneAlertsForRestInTheSameTickAndSwitchesWhenTheBoxCloses) {
    form->TimeToWork = 1;
    start();
    EXPECT_EQ(trayText(), u"1");
    bool checked = false;
    fp.messageBoxesFake.queue([&](const MessageBoxCall& c) {
        EXPECT_EQ(c.owner, form.get());
        EXPECT_EQ(c.text, u"Rest!");
        EXPECT_EQ(c.caption, form->Caption());
        EXPECT_EQ(c.flags, platform::MB_TOPMOST | platform::MB_ICONINFORMATION);
        EXPECT_EQ(trayText(), u"0");
        EXPECT_FALSE(form->Timer1->Enabled());
        EXPECT_TRUE(form->Timer2->Enabled());
        EXPECT_FALSE(form->TextTrayIcon1->Enabled());
        EXPECT_TRUE(fp.notifyAreaFake.iconMenus.empty());  // no menu choice behind the box
        EXPECT_TRUE(WorkPhase);
        checked = true;
        return platform::IDOK;
    });
    minutes(1);
    ASSERT_TRUE(checked);
    EXPECT_EQ(form->Caption(), u"QV Tovra");
    EXPECT_FALSE(WorkPhase);
    EXPECT_EQ(form->TimeLeft, 15);
    EXPECT_EQ(trayText(), u"15");
    EXPECT_TRUE(form->Timer1->Enabled());
    EXPECT_FALSE(form->Timer2->Enabled());
    EXPECT_TRUE(form->TextTrayIcon1->Enabled());
    EXPECT_FALSE(fp.notifyAreaFake.iconMenus.empty());
    EXPECT_EQ(form->TextTrayIcon1->Color(), form->StaticText2->Color());
    EXPECT_TRUE(*form->TextTrayIcon1->Font() == form->StaticText2->GetFont());
}

TEST_F(EngineTest, RestEndAlertsForWorkInTheWorkLook) {
    form->TimeToWork = 1;
    form->TimeToRest = 2;
    start();
    answerAfter(0);
    minutes(1);
    ASSERT_EQ(trayText(), u"2");
    std::vector<MessageBoxCall> seen;
    answerAfter(0, &seen);
    minutes(2);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, u"Work!");
    EXPECT_TRUE(WorkPhase);
    EXPECT_EQ(trayText(), u"1");
    EXPECT_EQ(form->TextTrayIcon1->Color(), form->StaticText1->Color());
    EXPECT_TRUE(*form->TextTrayIcon1->Font() == form->StaticText1->GetFont());
    EXPECT_TRUE(fp.monitorPowerFake.calls.empty());
}

TEST_F(EngineTest, TimeInTheMessageBoxIsNotCountedAndTheIconBlinksMeanwhile) {
    form->TimeToWork = 1;
    start();
    const ui::TColor work = form->TextTrayIcon1->Color();
    std::vector<ui::TColor> during;
    fp.messageBoxesFake.queue([&](const MessageBoxCall&) {
        for (int i = 0; i < 3; ++i) {
            fp.advance(1000);
            during.push_back(form->TextTrayIcon1->Color());
        }
        fp.advance(10 * Minute);
        return platform::IDOK;
    });
    minutes(1);
    ASSERT_EQ(during.size(), 3u);
    EXPECT_EQ(during[0], TForm1::InvertColor(work));
    EXPECT_EQ(during[1], work & 0xFFFFFF);
    EXPECT_EQ(during[2], TForm1::InvertColor(work));
    // The rest minute counts from the moment the box closed.
    fp.advance(Minute - 1);
    EXPECT_EQ(trayText(), u"15");
    fp.advance(1);
    EXPECT_EQ(trayText(), u"14");
}

TEST_F(EngineTest, EmptyMessageSwitchesInTheAlertsOwnTick) {
    struct Case {
        bool external;
        const char16_t* file;
    };
    for (Case c : {Case{false, u"/snd/rest.mp3"}, Case{true, u"/snd/rest.mp3"}}) {
        SCOPED_TRACE(c.external ? "external player" : "library");
        TearDown();
        fp.audioFake.calls.clear();
        fp.shellFake.calls.clear();
        SetUp();
        fp.fileSystemFake.addFile(c.file, "ID3");
        form->TimeToWork = 1;
        form->Edit3->SetText(u"");
        form->Edit4->SetText(c.file);
        form->CheckBox1->SetChecked(c.external);
        start();
        minutes(1);
        EXPECT_EQ(boxes(), 0);
        EXPECT_FALSE(WorkPhase);
        EXPECT_EQ(trayText(), u"15");
        EXPECT_FALSE(form->Timer2->Enabled());
        EXPECT_TRUE(form->Timer1->Enabled());
        EXPECT_TRUE(form->TextTrayIcon1->Enabled());
        if (c.external) {
            ASSERT_EQ(fp.shellFake.calls.size(), 1u);
            EXPECT_EQ(fp.shellFake.calls[0].target, c.file);
            // Nothing of ours plays, so the switch has nothing to stop but the empty stream.
            for (auto& a : fp.audioFake.calls) EXPECT_EQ(a.op, "stop") << a.op;
        } else {
            EXPECT_TRUE(fp.shellFake.calls.empty());
            ASSERT_GE(fp.audioFake.calls.size(), 3u);
            auto& last = fp.audioFake.calls.back();
            EXPECT_EQ(last.op, "stop");
            EXPECT_NE(last.handle, 0u);
            EXPECT_TRUE(fp.audioFake.playing.empty());
        }
    }
}

TEST_F(EngineTest, LibrarySoundPlaysUntilTheSwitch) {
    fp.fileSystemFake.addFile(u"/snd/rest.wav", "RIFF");
    form->TimeToWork = 1;
    form->Edit4->SetText(u"/snd/rest.wav");
    start();
    bool playingDuringBox = false;
    fp.messageBoxesFake.queue([&](const MessageBoxCall&) {
        playingDuringBox = fp.audioFake.playing.size() == 1;
        return platform::IDOK;
    });
    minutes(1);
    EXPECT_TRUE(playingDuringBox);
    EXPECT_TRUE(fp.audioFake.playing.empty());
}

class BalloonTest : public EngineTest, public ::testing::WithParamInterface<int> {};

TEST_P(BalloonTest, BalloonAlertWaitsForItsClickHideOrTimeout) {
    fp.fileSystemFake.addFile(u"/snd/rest.mp3", "ID3");
    form->TimeToWork = 1;
    form->Edit4->SetText(u"/snd/rest.mp3");
    form->CheckBox3->SetChecked(true);
    start();
    minutes(1);
    EXPECT_EQ(boxes(), 0);
    const auto* icon = fp.notifyAreaFake.icon();
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->BalloonText, u"Rest!");
    EXPECT_EQ(icon->BalloonTitle, form->Caption());
    EXPECT_EQ(icon->BalloonFlags, platform::NIIF_INFO);
    EXPECT_EQ(icon->BalloonTimeout, 30000u);
    EXPECT_TRUE(form->BalloonPending);
    EXPECT_EQ(trayText(), u"0");
    EXPECT_FALSE(form->Timer1->Enabled());
    EXPECT_TRUE(form->Timer2->Enabled());
    EXPECT_FALSE(form->TextTrayIcon1->Enabled());
    // Nothing moves while the balloon waits, and the icon ignores the mouse.
    minutes(5);
    clickTray();
    EXPECT_FALSE(paused());
    EXPECT_EQ(trayText(), u"0");
    EXPECT_TRUE(WorkPhase);
    EXPECT_EQ(fp.audioFake.playing.size(), 1u);

    switch (GetParam()) {
        case 0: fp.notifyAreaFake.balloonClick(); break;
        case 1: fp.notifyAreaFake.balloonHide(); break;
        default: fp.notifyAreaFake.balloonTimeout(); break;
    }
    EXPECT_FALSE(form->BalloonPending);
    EXPECT_FALSE(WorkPhase);
    EXPECT_EQ(trayText(), u"15");
    EXPECT_TRUE(form->Timer1->Enabled());
    EXPECT_FALSE(form->Timer2->Enabled());
    EXPECT_TRUE(form->TextTrayIcon1->Enabled());
    EXPECT_TRUE(fp.audioFake.playing.empty());
    EXPECT_EQ(form->TextTrayIcon1->Color(), form->StaticText2->Color());
    minutes(1);
    EXPECT_EQ(trayText(), u"14");
}

INSTANTIATE_TEST_SUITE_P(ClickHideTimeout, BalloonTest, ::testing::Values(0, 1, 2));

TEST_F(EngineTest, RefusedBalloonFallsBackToTheMessageBox) {
    form->TimeToWork = 1;
    form->CheckBox3->SetChecked(true);
    start();
    // The tray host goes away during the work period: the balloon request will be refused.
    fp.notifyAreaFake.hostRunning = false;
    minutes(1);
    ASSERT_EQ(boxes(), 1);
    EXPECT_EQ(fp.messageBoxesFake.calls[0].text, u"Rest!");
    EXPECT_FALSE(form->BalloonPending);
    EXPECT_FALSE(WorkPhase);
    EXPECT_TRUE(form->Timer1->Enabled());
    EXPECT_FALSE(form->Timer2->Enabled());
    EXPECT_TRUE(form->TextTrayIcon1->Enabled());
    minutes(1);
    EXPECT_EQ(form->TimeLeft, 14);
}

TEST_F(EngineTest, BalloonEventWithNoBalloonPendingRunsAnOrdinaryTick) {
    start();
    fp.notifyAreaFake.balloonTimeout();
    EXPECT_EQ(trayText(), u"44");
    EXPECT_TRUE(form->Timer1->Enabled());
}

TEST_F(EngineTest, IdleHoldGivesBackTheMinutesAwayThenHolds) {
    form->CheckBox5->SetChecked(true);
    form->SpinEdit1->SetValue(3);
    form->TimeToWork = 20;
    start();
    // At work for the first minute: the input is fresh at the tick.
    fp.advance(Minute - 1000);
    fp.userInput();
    fp.advance(1000);
    ASSERT_EQ(trayText(), u"19");
    // Away from here on.
    std::vector<std::u16string> shown;
    for (int i = 0; i < 6; ++i) {
        minutes(1);
        shown.push_back(trayText());
    }
    EXPECT_EQ(shown, (std::vector<std::u16string>{u"18", u"17", u"19", u"19", u"19", u"19"}));
    EXPECT_EQ(IdleMinutes, 6);
    // Back at the keyboard: the count goes on from where it was held.
    fp.advance(Minute - 30000);
    fp.userInput();
    fp.advance(30000);
    EXPECT_EQ(trayText(), u"18");
    EXPECT_EQ(IdleMinutes, 0);
    minutes(1);
    EXPECT_EQ(trayText(), u"17");  // away again, but only for one minute
    EXPECT_EQ(IdleMinutes, 1);
}

TEST_F(EngineTest, IdleHoldDoesNothingDuringRestAndCannotStopAWorkEnd) {
    form->CheckBox5->SetChecked(true);
    form->SpinEdit1->SetValue(3);
    form->TimeToWork = 2;
    form->TimeToRest = 5;
    start();
    std::vector<MessageBoxCall> seen;
    answerAfter(0, &seen);
    minutes(2);  // idle both minutes, but the threshold is never reached
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, u"Rest!");
    ASSERT_FALSE(WorkPhase);
    minutes(4);
    EXPECT_EQ(trayText(), u"1");
    EXPECT_EQ(IdleMinutes, 0);
}

TEST_F(EngineTest, MonitorOffAboutThreeSecondsAfterTheRestAlertAndOnBeforeTheWorkMessage) {
    form->CheckBox4->SetChecked(true);
    form->TimeToWork = 1;
    form->TimeToRest = 1;
    start();
    uint64_t closedAt = 0;
    bool liveDuringWait = false;
    fp.messageBoxesFake.queue([&](const MessageBoxCall&) {
        EXPECT_TRUE(fp.monitorPowerFake.calls.empty());
        closedAt = fp.loopFake.now();
        // Handled inside the wait, before the monitor goes off.
        fp.loopFake.Post([&] {
            liveDuringWait = MonitorWaitActive && fp.monitorPowerFake.calls.empty() &&
                             form->TextTrayIcon1->Enabled();
        });
        return platform::IDOK;
    });
    minutes(1);
    EXPECT_TRUE(liveDuringWait);
    ASSERT_EQ(fp.monitorPowerFake.calls, std::vector<bool>{false});
    EXPECT_EQ(fp.loopFake.now() - closedAt, 3000u);
    EXPECT_FALSE(MonitorWaitActive);
    EXPECT_FALSE(WorkPhase);
    EXPECT_EQ(trayText(), u"1");

    std::vector<bool> atWorkMessage;
    fp.messageBoxesFake.queue([&](const MessageBoxCall&) {
        atWorkMessage = fp.monitorPowerFake.calls;
        return platform::IDOK;
    });
    minutes(1);
    EXPECT_EQ(atWorkMessage, (std::vector<bool>{false, true}));
    // Work begins at once: no wait, no second switch-off.
    EXPECT_EQ(fp.monitorPowerFake.calls, (std::vector<bool>{false, true}));
    EXPECT_TRUE(WorkPhase);
}

TEST_F(EngineTest, PauseDuringTheMonitorWaitChangesOnlyTheCheckMark) {
    form->CheckBox4->SetChecked(true);
    form->TimeToWork = 1;
    start();
    bool clickedDuringWait = false;
    form->TextTrayIcon1->OnClick = [&, prev = form->TextTrayIcon1->OnClick](ui::TObject* s) {
        clickedDuringWait = MonitorWaitActive;
        prev(s);
    };
    fp.messageBoxesFake.queue([&](const MessageBoxCall&) {
        // The user clicks the icon a moment after closing the box.
        fp.loopFake.Post([&] { fp.notifyAreaFake.click(); });
        return platform::IDOK;
    });
    minutes(1);
    EXPECT_TRUE(clickedDuringWait);
    EXPECT_TRUE(paused());
    EXPECT_FALSE(WorkPhase);
    EXPECT_EQ(fp.monitorPowerFake.calls, std::vector<bool>{false});
    // Nothing but the mark changed: the rest period counts and nothing blinks.
    EXPECT_TRUE(form->Timer1->Enabled());
    EXPECT_FALSE(form->Timer2->Enabled());
    EXPECT_TRUE(form->N6->Enabled());
    EXPECT_EQ(trayText(), u"15");
}

TEST_F(EngineTest, PauseStopsTheCountAndBlinksResumeRestartsAFullMinute) {
    form->TimeToWork = 151;
    start();
    minutes(1);
    ASSERT_EQ(form->TimeLeft, 150);
    const ui::TColor colour = form->TextTrayIcon1->Color();
    const ui::TColor fontColour = form->TextTrayIcon1->Font()->Color();
    fp.advance(30000);
    clickTray();
    EXPECT_TRUE(paused());
    EXPECT_EQ(trayText(), u"P");
    EXPECT_FALSE(form->Timer1->Enabled());
    EXPECT_FALSE(form->N6->Enabled());
    EXPECT_TRUE(form->Timer2->Enabled());
    fp.advance(1000);
    EXPECT_EQ(form->TextTrayIcon1->Color(), TForm1::InvertColor(colour));
    EXPECT_EQ(form->TextTrayIcon1->Font()->Color(), TForm1::InvertColor(fontColour));
    minutes(10);
    EXPECT_EQ(form->TimeLeft, 150);
    EXPECT_EQ(trayText(), u"P");

    uint64_t resumedAt = 0;
    form->TextTrayIcon1->OnClick = [&, prev = form->TextTrayIcon1->OnClick](ui::TObject* s) {
        resumedAt = fp.loopFake.now();
        prev(s);
    };
    clickTray();
    EXPECT_FALSE(paused());
    EXPECT_EQ(trayText(), u"150");  // the plain number until the next tick
    EXPECT_TRUE(form->Timer1->Enabled());
    EXPECT_TRUE(form->N6->Enabled());
    EXPECT_FALSE(form->Timer2->Enabled());
    EXPECT_EQ(form->TextTrayIcon1->Color(), form->StaticText1->Color());
    EXPECT_TRUE(*form->TextTrayIcon1->Font() == form->StaticText1->GetFont());
    // A full minute from the resume.
    fp.advance(resumedAt + Minute - 1 - fp.loopFake.now());
    EXPECT_EQ(trayText(), u"150");
    fp.advance(1);
    EXPECT_EQ(trayText(), u"2h");
}

TEST_F(EngineTest, MenuPauseItemTogglesTheSameWay) {
    start();
    form->N3->Click();
    EXPECT_TRUE(paused());
    EXPECT_EQ(trayText(), u"P");
    EXPECT_FALSE(form->Timer1->Enabled());
    form->N3->Click();
    EXPECT_FALSE(paused());
    EXPECT_EQ(trayText(), u"45");
    EXPECT_TRUE(form->Timer1->Enabled());
}

TEST_F(EngineTest, TickTimerSwitchedOnDuringAPauseKeepsTheCountAndTheBlink) {
    start();
    form->N3->Click();
    // What the About box does when it closes, pause or not.
    form->Timer1->SetEnabled(true);
    for (int i = 0; i < 2; ++i) {
        minutes(1);
        EXPECT_EQ(form->TimeLeft, 45);
        EXPECT_EQ(trayText(), u"45");  // the tail writes the number over "P"
        EXPECT_TRUE(form->Timer1->Enabled());
        EXPECT_TRUE(form->Timer2->Enabled());
        EXPECT_FALSE(form->N6->Enabled());
        EXPECT_TRUE(paused());
    }
    form->N3->Click();
    EXPECT_FALSE(form->Timer2->Enabled());
    EXPECT_TRUE(form->N6->Enabled());
    minutes(1);
    EXPECT_EQ(trayText(), u"44");
}

TEST_F(EngineTest, ErrorInsideATickStillRunsTheTailAndIsShown) {
    form->TimeToWork = 1;
    start();
    fp.messageBoxesFake.queue([](const MessageBoxCall&) -> int {
        throw ui::Exception(u"box failed");
    });
    minutes(1);
    ASSERT_FALSE(fp.messageBoxesFake.calls.empty());
    const auto& last = fp.messageBoxesFake.calls.back();
    EXPECT_TRUE(last.error);
    EXPECT_EQ(last.text, u"box failed");
    EXPECT_TRUE(form->Timer1->Enabled());
    EXPECT_EQ(trayText(), u"0");
    EXPECT_TRUE(WorkPhase);
    // The blink left on makes the next tick a pause check, which stops it; the tick after
    // alerts again and this time the switch happens.
    minutes(1);
    EXPECT_FALSE(form->Timer2->Enabled());
    EXPECT_EQ(trayText(), u"0");
    answerAfter(0);
    minutes(1);
    EXPECT_FALSE(WorkPhase);
    EXPECT_EQ(trayText(), u"15");
    EXPECT_TRUE(form->TextTrayIcon1->Enabled());
}

TEST_F(EngineTest, ErrorInsideATickCalledDirectlyReachesTheCaller) {
    form->TimeToWork = 1;
    start();
    form->TimeLeft = 0;
    fp.messageBoxesFake.queue([](const MessageBoxCall&) -> int {
        throw ui::Exception(u"box failed");
    });
    EXPECT_THROW(form->Timer1Timer(form->Timer1), ui::Exception);
    EXPECT_TRUE(form->Timer1->Enabled());
    EXPECT_EQ(trayText(), u"0");
}

TEST_F(EngineTest, LengthsBelowOneEndThePeriodAtTheNextTick) {
    for (int32_t rest : {0, -5}) {
        SCOPED_TRACE(rest);
        TearDown();
        SetUp();
        form->TimeToWork = 1;
        form->TimeToRest = rest;
        start();
        answerAfter(0);
        minutes(1);
        ASSERT_FALSE(WorkPhase);
        EXPECT_EQ(trayText(), ui::IntToStr(rest));
        std::vector<MessageBoxCall> seen;
        answerAfter(0, &seen);
        minutes(1);
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].text, u"Work!");
        EXPECT_TRUE(WorkPhase);
        EXPECT_EQ(trayText(), u"1");
    }
}

TEST(InvertColorTest, InvertsTheLowThreeBytesAndDropsTheTopByte) {
    const std::pair<ui::TColor, ui::TColor> cases[] = {
        {ui::clBlack, ui::clWhite},
        {ui::clWhite, ui::clBlack},
        {8454016, 0x7F007F},           // light green to purple
        {ui::TColor(0x00123456), ui::TColor(0x00EDCBA9)},
        {ui::clWindowText, ui::TColor(0x00FFFFF7)},  // system colour 8
        {ui::clBtnFace, ui::TColor(0x00FFFFF0)},
        {ui::clNone, ui::TColor(0x00000000)},
    };
    for (auto [in, out] : cases) {
        EXPECT_EQ(TForm1::InvertColor(in), out) << std::hex << in;
        EXPECT_EQ(TForm1::InvertColor(TForm1::InvertColor(in)), in & 0xFFFFFF) << std::hex << in;
    }
}

TEST_F(EngineTest, BlinkingASystemColourFontYieldsPlainRgb) {
    start();
    form->TextTrayIcon1->Font()->SetColor(ui::clWindowText);
    form->N3->Click();
    fp.advance(1000);
    EXPECT_EQ(form->TextTrayIcon1->Font()->Color(), ui::TColor(0x00FFFFF7));
    fp.advance(1000);
    EXPECT_EQ(form->TextTrayIcon1->Font()->Color(), ui::TColor(0x00000008));
}

TEST_F(EngineTest, WaitKeepsMessagesFlowingInTenthsOfASecond) {
    int handled = 0;
    auto& loop = fp.loopFake;
    const uint64_t t0 = loop.now();
    for (int i = 0; i < 3; ++i) loop.Post([&] { ++handled; });
    form->wait(0);
    EXPECT_EQ(loop.now(), t0);
    form->wait(-1);
    EXPECT_EQ(loop.now(), t0);
    form->wait(1);
    EXPECT_EQ(loop.now() - t0, 1000u);
    EXPECT_EQ(handled, 3);
}

TEST_F(EngineTest, IdleSecondsSurvivesTheTickCounterWrap) {
    fp.loopFake.setNow(0x1'0000'0000ull + 5000);  // the 32-bit counter reads 5000
    fp.idleTimeFake.lastInput = 0xFFFFFFFFu - 2999;   // 3 s before the wrap
    EXPECT_EQ(form->IdleSeconds(), 8u);
}

TEST_F(EngineTest, IdleSecondsOfAUserWhoJustActedIsZeroWhenTheClockMovesDuringTheRead) {
    // The desktop's source answers "now" for a user at the keyboard (or with no source at
    // all), and its clock may already be a millisecond on from one read before it.
    fp.loopFake.setNow(100000);
    fp.idleTimeFake.read = [this] {
        fp.loopFake.setNow(fp.loopFake.now() + 1);
        return fp.loopFake.GetTickCount();
    };
    EXPECT_EQ(form->IdleSeconds(), 0u);
}

}  // namespace
}  // namespace app::test
