// The work/rest cycle: the minute tick, the alert, the switch between periods, the pause and
// the blink.
#include <exception>

#include "app/Unit1.h"
#include "lang/DKLang.h"
#include "platform/Platform.h"
#include "tray/TextTrayIcon.h"
#include "ui/ComCtrls.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"
#include "ui/Text.h"
#include "ui/Timer.h"

namespace app {

namespace {

constexpr uint32_t MinuteMs = 60000;        // one minute per tick while counting
constexpr uint32_t RestartIntervalMs = 100;  // at or below: the next tick starts a work period
constexpr uint32_t ActiveBelowSeconds = 59;  // input younger than this: the user is at work
constexpr int32_t MonitorOffDelaySeconds = 3;
constexpr int BalloonTimeoutSeconds = 30;

// Raises the flag for the life of the scope, so a pause toggle during the wait is ignored
// even if the wait is left by an error.
struct FlagScope {
    explicit FlagScope(bool& f) : flag(f) { flag = true; }
    ~FlagScope() { flag = false; }
    bool& flag;
};

// Step 7: acknowledge the alert and start the other period.
void SwitchPeriod(TForm1& f) {
    f.TextTrayIcon1->SetEnabled(true);
    f.Timer2->SetEnabled(false);
    f.StopMusic();
    if (f.CheckBox4->Checked() && WorkPhase) {
        // Rest begins: give the user a moment to let go of the mouse before the screen goes dark.
        {
            FlagScope scope(MonitorWaitActive);
            f.wait(MonitorOffDelaySeconds);
        }
        platform::thePlatform().monitorPower().SetMonitorPower(false);
    }
    WorkPhase = !WorkPhase;
    IdleMinutes = 0;
    f.TimeLeft = WorkPhase ? f.TimeToWork : f.TimeToRest;
    f.ApplyPeriodLook();
}

// Step 6: the period has run out; alert for the one about to begin.
void Alert(TForm1& f) {
    f.Timer2->SetEnabled(true);
    // Work ending announces rest, and the other way round.
    const std::u16string message = WorkPhase ? f.Edit3->Text() : f.Edit1->Text();
    const std::u16string file = WorkPhase ? f.Edit4->Text() : f.Edit2->Text();
    f.PlayAlertSound(file);
    if (f.CheckBox4->Checked() && !WorkPhase)
        platform::thePlatform().monitorPower().SetMonitorPower(true);
    f.TextTrayIcon1->SetEnabled(false);
    if (message.empty()) {
        SwitchPeriod(f);
        return;
    }
    // A balloon the tray refuses (no tray host, say) would never come back with the event that
    // switches the period, and the program would wait for good: the message box stands in.
    if (f.CheckBox3->Checked() && f.TextTrayIcon1->ShowBalloonHint(f.Caption(), message,
                                                                   tray::bitInfo,
                                                                   BalloonTimeoutSeconds)) {
        f.BalloonPending = true;
        return;
    }
    platform::thePlatform().messageBoxes().MessageBox(
        &f, message, f.Caption(), platform::MB_TOPMOST | platform::MB_ICONINFORMATION);
    SwitchPeriod(f);
}

// Steps 2 to 7; the tail is the caller's.
void Tick(TForm1& f) {
    if (f.Timer2->Enabled()) {
        f.Timer2->SetEnabled(false);
        f.ApplyPauseState();
        return;
    }
    if (f.BalloonPending) {
        f.BalloonPending = false;
        SwitchPeriod(f);
        return;
    }
    if (f.Timer1->Interval() <= RestartIntervalMs) {
        f.Timer1->SetInterval(MinuteMs);
        f.TimeLeft = f.TimeToWork;
        WorkPhase = true;
        return;
    }
    if (f.TimeLeft >= 1) {
        --f.TimeLeft;
        if (WorkPhase && f.CheckBox5->Checked()) {
            if (f.IdleSeconds() < ActiveBelowSeconds)
                IdleMinutes = 0;
            else
                ++IdleMinutes;
            // Away for UATime minutes: give back the minutes counted while away, then hold.
            const int32_t UATime = f.SpinEdit1->Value();
            if (IdleMinutes == UATime)
                f.TimeLeft += UATime;
            else if (IdleMinutes > UATime)
                f.TimeLeft += 1;
        }
        if (f.TimeLeft != 0) return;
        f.TextTrayIcon1->SetText(u"0");
    }
    Alert(f);
}

}  // namespace

std::u16string TForm1::TrayText(int32_t minutes) {
    if (minutes < 100) return ui::IntToStr(minutes);
    return ui::IntToStr(minutes / 60) + lang::ConstantText(u"Sh");
}

void TForm1::Timer1Timer(ui::TObject*) {
    Timer1->SetEnabled(false);
    std::exception_ptr error;
    try {
        Tick(*this);
    } catch (...) {
        error = std::current_exception();
    }
    // The tail runs whichever way the tick ended; the next minute counts from here.
    if (!BalloonPending) Timer1->SetEnabled(true);
    try {
        TextTrayIcon1->SetText(TrayText(TimeLeft));
    } catch (...) {
    }
    if (error) std::rethrow_exception(error);
}

void TForm1::Timer2Timer(ui::TObject*) {
    TextTrayIcon1->SetColor(InvertColor(TextTrayIcon1->Color()));
    TextTrayIcon1->Font()->SetColor(InvertColor(TextTrayIcon1->Font()->Color()));
}

void TForm1::TextTrayIcon1BalloonHintClick(ui::TObject* Sender) {
    Timer2->SetEnabled(false);
    StopMusic();
    ApplyPeriodLook();
    Timer1Timer(Sender);
}

void TForm1::TextTrayIcon1Click(ui::TObject*) {
    N3->SetChecked(!N3->Checked());
    ApplyPauseState();
}

void TForm1::N3Click(ui::TObject*) {
    // The item has toggled its own check mark already.
    ApplyPauseState();
}

void TForm1::ApplyPauseState() {
    if (MonitorWaitActive) return;
    const bool paused = N3->Checked();
    Timer1->SetEnabled(!paused);
    N6->SetEnabled(Timer1->Enabled());
    Timer2->SetEnabled(!Timer1->Enabled());
    // The plain number on resume; the next tick brings back the hours form.
    TextTrayIcon1->SetText(paused ? std::u16string(u"P") : ui::IntToStr(TimeLeft));
    if (!Timer2->Enabled()) ApplyPeriodLook();
}

void TForm1::ApplyPeriodLook() {
    ui::TStaticText* look = WorkPhase ? StaticText1 : StaticText2;
    TextTrayIcon1->SetColor(look->Color());
    TextTrayIcon1->SetFont(&look->GetFont());
}

void TForm1::wait(int32_t sec) {
    if (sec < 1) return;
    auto& loop = platform::thePlatform().loop();
    // 100 ms steps: the tray, menus and timers stay live throughout.
    for (int32_t i = 0; i < sec * 10; ++i) {
        loop.ProcessMessages();
        loop.Block(100);
        loop.ProcessMessages();
    }
}

uint32_t TForm1::IdleSeconds() {
    auto& p = platform::thePlatform();
    // The last input first: read after it, the clock is never behind it (a clock read first
    // could be a millisecond older, and the difference would wrap to days of idleness).
    // Unsigned: the wrap of the 32-bit millisecond counter cancels out.
    const uint32_t lastInput = p.idleTime().LastInputTick();
    return (p.timers().GetTickCount() - lastInput) / 1000u;
}

ui::TColor TForm1::InvertColor(ui::TColor c) {
    const uint32_t v = uint32_t(c);
    const uint32_t red = v & 0xFF, green = (v >> 8) & 0xFF, blue = (v >> 16) & 0xFF;
    return ui::TColor((255 - red) + 256 * (255 - green) + 65536 * (255 - blue));
}

}  // namespace app
