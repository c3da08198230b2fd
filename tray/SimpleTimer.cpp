#include "tray/SimpleTimer.h"

#include <memory>

#include "platform/Platform.h"

namespace tray {
namespace {
std::unique_ptr<TSimpleTimerHandler>& handlerSlot() {
    static std::unique_ptr<TSimpleTimerHandler> h;
    return h;
}

void AcquireTimerHandler(TSimpleTimer* t) {
    auto& h = handlerSlot();
    if (!h) h = std::make_unique<TSimpleTimerHandler>();
    h->AddTimer(t);
}

void ReleaseTimerHandler(TSimpleTimer* t) {
    auto& h = handlerSlot();
    if (!h) return;
    h->RemoveTimer(t);
    if (h->RefCount == 0) h.reset();
}
}  // namespace

TSimpleTimerHandler* SharedTimerHandler() { return handlerSlot().get(); }

void TSimpleTimerHandler::AddTimer(TSimpleTimer* t) {
    FTimers[t->FId] = t;
    ++RefCount;
}

void TSimpleTimerHandler::RemoveTimer(TSimpleTimer* t) {
    FTimers.erase(t->FId);
    if (RefCount > 0) --RefCount;
}

void TSimpleTimerHandler::TimerWindowProc(uint32_t id) {
    auto it = FTimers.find(id);
    if (it == FTimers.end()) return;
    TSimpleTimer* t = it->second;
    if (t->AutoDisable) t->StopTimer(TSimpleTimer::Stop::Clear);
    if (t->FOnTimer) {
        ui::TNotifyEvent ev = t->FOnTimer;  // the handler may free its own timer
        ev(t);
    }
}

TSimpleTimer::TSimpleTimer() { InitTimer(1000, nullptr); }

TSimpleTimer::TSimpleTimer(uint32_t AInterval, ui::TNotifyEvent AOnTimer) {
    InitTimer(AInterval, std::move(AOnTimer));
}

TSimpleTimer::~TSimpleTimer() {
    if (FEnabled) StopTimer(Stop::Clear);
    ReleaseTimerHandler(this);
}

void TSimpleTimer::InitTimer(uint32_t AInterval, ui::TNotifyEvent AOnTimer) {
    FId = platform::thePlatform().timers().NewTimerId();
    AutoDisable = false;
    FEnabled = false;
    FInterval = AInterval;
    SetOnTimer(std::move(AOnTimer));
    AcquireTimerHandler(this);
}

void TSimpleTimer::SetEnabled(bool Value) {
    if (Value)
        StartTimer();
    else
        StopTimer(Stop::Clear);
}

void TSimpleTimer::SetInterval(uint32_t Value) {
    if (Value == FInterval) return;
    FInterval = Value;
    if (!FEnabled) return;
    if (FInterval != 0)
        StartTimer();
    else
        StopTimer(Stop::Keep);
}

void TSimpleTimer::SetOnTimer(ui::TNotifyEvent Value) {
    FOnTimer = std::move(Value);
    if (!FOnTimer && FEnabled) StopTimer(Stop::Keep);
}

bool TSimpleTimer::StartTimer() {
    if (FInterval == 0) return false;
    if (FEnabled) StopTimer(Stop::Clear);
    uint32_t id = FId;
    bool ok = platform::thePlatform().timers().SetTimer(FId, FInterval, [id] {
        if (TSimpleTimerHandler* h = SharedTimerHandler()) h->TimerWindowProc(id);
    });
    if (ok) {
        FEnabled = true;
        if (TSimpleTimerHandler* h = SharedTimerHandler()) ++h->ActiveCount;
    }
    return ok;
}

void TSimpleTimer::StopTimer(Stop how) {
    if (how == Stop::Clear) FEnabled = false;
    bool removed = platform::thePlatform().timers().KillTimer(FId);
    TSimpleTimerHandler* h = SharedTimerHandler();
    if (removed && h && h->ActiveCount > 0) --h->ActiveCount;
}

}  // namespace tray
