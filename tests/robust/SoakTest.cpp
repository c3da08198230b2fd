// Thirty simulated days of the whole program on the virtual clock: random pauses, settings
// changes kept or cancelled, language switches, alerts by message box and by balloon, idle
// spells and tray-host restarts. After every step the engine must be in a state of its table,
// the tray face must follow its rule, and the heap must not grow from day to day.
#include <malloc.h>

#include <algorithm>
#include <random>

#include "tests/robust/RobustFixture.h"

#if defined(__SANITIZE_ADDRESS__)
// The address sanitizer's own count (its heap is not malloc's); g++ ships no header for it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace robust {

std::size_t HeapInUse() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

namespace {

constexpr int kDays = 30;
constexpr uint64_t kDay = 24ull * 60 * kMinute;  // ms

std::u16string Decimal(int32_t v) {
    std::string s = std::to_string(v);
    return std::u16string(s.begin(), s.end());
}

class SoakTest : public RobustFixture {
protected:
    std::mt19937 rng{20261210};  // fixed: a failure replays exactly

    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    bool chance(double p) { return std::bernoulli_distribution(p)(rng); }

    // Counts of what the run went through, so a quiet run cannot pass for a thorough one.
    struct Seen {
        int boxAlerts = 0, balloonAlerts = 0, pauses = 0, settingsOk = 0, settingsCancel = 0;
        int languages = 0, hostRestarts = 0, idleHolds = 0, ignoredClicks = 0;
    } seen;

    bool userAway = false;   // an idle spell is going on
    bool justResumed = false;  // the plain number shows until the next tick
    bool faceStale = false;    // after a language switch the hour sign changes at the next tick

    // The longest the current period can last with the idle hold: its length plus the
    // threshold.
    int32_t periodCeiling() const {
        int32_t len = app::WorkPhase ? form->TimeToWork : form->TimeToRest;
        return std::max(len, 1) + (form->CheckBox5->Checked() ? form->SpinEdit1->Value() : 0);
    }

    // Outside an alert the program is Counting, Restart pending or Paused.
    void checkQuiet(const char* where) {
        SCOPED_TRACE(where);
        ASSERT_FALSE(form->BalloonPending);
        ASSERT_FALSE(app::MonitorWaitActive);
        ASSERT_TRUE(form->TextTrayIcon1->Enabled()) << "after an alert the icon takes clicks";
        ASSERT_TRUE(fp.audioFake.playing.empty()) << "the switch stops the alert sound";
        ASSERT_GE(form->TimeLeft, 0);
        ASSERT_LE(form->TimeLeft, periodCeiling());
        if (paused()) {
            ASSERT_FALSE(form->Timer1->Enabled());
            ASSERT_TRUE(form->Timer2->Enabled());
            ASSERT_EQ(trayText(), u"P");
            ASSERT_FALSE(form->N6->Enabled());
        } else {
            ASSERT_TRUE(form->Timer1->Enabled());
            ASSERT_FALSE(form->Timer2->Enabled());
            ASSERT_TRUE(form->N6->Enabled());
            uint32_t interval = form->Timer1->Interval();
            ASSERT_TRUE(interval == kMinute || interval == 100) << interval;
            if (justResumed) {
                ASSERT_EQ(trayText(), Decimal(form->TimeLeft));
            } else if (interval == kMinute && !faceStale) {
                ASSERT_EQ(trayText(), app::TForm1::TrayText(form->TimeLeft));
            }
            if (interval == kMinute) {
                // The look of the period, not a blink's inversion.
                auto* look = app::WorkPhase ? form->StaticText1 : form->StaticText2;
                ASSERT_EQ(form->TextTrayIcon1->Color(), look->Color());
            }
        }
        ASSERT_NE(fp.notifyAreaFake.icon(), nullptr) << "the icon is in the tray";
    }

    // While an alert is up: the count stands, the icon blinks "0" and ignores the mouse.
    void checkAlert(const char* where) {
        SCOPED_TRACE(where);
        ASSERT_FALSE(form->Timer1->Enabled());
        ASSERT_TRUE(form->Timer2->Enabled());
        ASSERT_EQ(trayText(), u"0");
        ASSERT_FALSE(form->TextTrayIcon1->Enabled());
        bool wasPaused = paused();
        fp.notifyAreaFake.click();  // the user clicks the blinking icon: nothing happens
        fp.advance(fp.screenFake.doubleClickTime + 1);
        ASSERT_EQ(paused(), wasPaused);
        ++seen.ignoredClicks;
    }

    // Each message box stays open a while, then the user closes it.
    void queueBoxAnswer() {
        fp.messageBoxesFake.queue([this](const platform::fake::MessageBoxCall& call) {
            if (!call.error) {
                ++seen.boxAlerts;
                checkAlert("message box open");
                fp.advance(uint64_t(pick(0, 120)) * 1000);
            }
            queueBoxAnswer();
            return 1;  // IDOK
        });
    }

    void changeSettings() {
        bool keep = chance(0.7);
        openSettings([&](app::TForm1& f) {
            f.TrackBar1->SetPosition(pick(1, 130));
            f.TrackBar2->SetPosition(pick(1, 20));
            f.Edit1->SetText(chance(0.1) ? u"" : u"Back to work");
            f.Edit3->SetText(chance(0.1) ? u"" : u"Rest your eyes");
            f.Edit2->SetText(kWorkSound);
            f.Edit4->SetText(kRestSound);
            f.StaticText1->SetColor(ui::TColor(pick(0, 0xFFFFFF)));
            f.StaticText2->SetColor(chance(0.2) ? ui::clBtnFace : ui::TColor(pick(0, 0xFFFFFF)));
            f.CheckBox2->SetChecked(chance(0.5));
            f.CheckBox3->SetChecked(chance(0.5));
            f.CheckBox4->SetChecked(chance(0.3));
            f.CheckBox5->SetChecked(chance(0.6));
            if (f.SpinEdit1->Enabled()) f.SpinEdit1->SetValue(pick(1, 5));
            (keep ? f.BitBtn1 : f.BitBtn2)->Click();
        });
        ++(keep ? seen.settingsOk : seen.settingsCancel);
        justResumed = false;
    }

    void switchLanguage() {
        int n = form->mLanguage->Count();
        ASSERT_GT(n, 1);
        auto* item = form->mLanguage->Items(pick(0, n - 1));
        item->Click();
        ASSERT_TRUE(item->Checked());
        ++seen.languages;
        faceStale = true;
    }

    // Time passes in the idle message loop; a balloon alert is answered after a while.
    void passTime(uint64_t ms) {
        uint64_t end = fp.loopFake.now() + ms;
        while (fp.loopFake.now() < end) {
            if (!userAway) fp.userInput();
            uint64_t step = std::min<uint64_t>(end - fp.loopFake.now(), 20000);
            fp.advance(step);
            if (app::WorkPhase && form->CheckBox5->Checked() &&
                app::IdleMinutes >= form->SpinEdit1->Value())
                ++seen.idleHolds;
            if (form->BalloonPending) {
                ++seen.balloonAlerts;
                checkAlert("balloon shown");
                fp.advance(uint64_t(pick(0, 30)) * 1000);
                switch (pick(0, 2)) {
                    case 0: fp.notifyAreaFake.balloonClick(); break;
                    case 1: fp.notifyAreaFake.balloonHide(); break;
                    default: fp.notifyAreaFake.balloonTimeout(); break;
                }
                ASSERT_FALSE(form->BalloonPending);
            }
        }
    }
};

TEST_F(SoakTest, ThirtyDaysKeepEveryInvariantAndTheHeapFlat) {
    fp.profileFilesFake.setText(kIni, "");
    start();
    queueBoxAnswer();
    checkQuiet("start");
    std::size_t heapAfterDay2 = 0;
    uint64_t t0 = fp.loopFake.now();
    for (int day = 1; day <= kDays; ++day) {
        SCOPED_TRACE("day " + std::to_string(day));
        while (fp.loopFake.now() - t0 < uint64_t(day) * kDay) {
            int what = pick(0, 99);
            if (what < 6) {
                bool was = paused();
                clickIcon();
                if (paused() != was) {
                    ++seen.pauses;
                    justResumed = !paused();
                }
            } else if (what < 8 && !paused()) {
                changeSettings();
            } else if (what < 10) {
                switchLanguage();
            } else if (what < 12) {
                userAway = !userAway;
            } else if (what < 13) {
                fp.notifyAreaFake.restartHost();
                ++seen.hostRestarts;
            }
            ASSERT_NO_FATAL_FAILURE(checkQuiet("after an action"));
            uint32_t wait = uint32_t(pick(1, 40)) * kMinute + uint32_t(pick(0, 59999));
            ASSERT_NO_FATAL_FAILURE(passTime(wait));
            justResumed = faceStale = false;  // at least one full minute, so a tick, has run
            ASSERT_NO_FATAL_FAILURE(checkQuiet("after time passed"));
            ASSERT_EQ(errorBoxes(), 0);
        }
        // The fakes' own logs would grow without end; the program's state must not.
        fp.notifyAreaFake.requests.clear();
        fp.messageBoxesFake.calls.clear();
        fp.audioFake.calls.clear();
        fp.shellFake.calls.clear();
        fp.monitorPowerFake.calls.clear();
        fp.rasterizerFake.calls.clear();
        if (day == 2) heapAfterDay2 = HeapInUse();
    }
    std::size_t heapAtEnd = HeapInUse();
    EXPECT_LT(heapAtEnd, heapAfterDay2 + 64 * 1024)
        << "heap grew from " << heapAfterDay2 << " to " << heapAtEnd << " bytes";

    EXPECT_GT(seen.boxAlerts, 100);
    EXPECT_GT(seen.balloonAlerts, 100);
    EXPECT_GT(seen.pauses, 100);
    EXPECT_GT(seen.settingsOk, 10);
    EXPECT_GT(seen.settingsCancel, 3);
    EXPECT_GT(seen.languages, 40);
    EXPECT_GT(seen.hostRestarts, 20);
    EXPECT_GT(seen.idleHolds, 10);

    destroy();
    EXPECT_FALSE(savedText().empty());
}

}  // namespace
}  // namespace robust
