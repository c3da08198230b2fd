#include "ui/Timer.h"

#include "platform/Platform.h"
#include "ui/ClassBuilder.h"

namespace ui {

const TClassInfo& TTimer::StaticClassInfo() {
    static const TClassInfo ci =
        TClassBuilder<TTimer>(u"TTimer", &TComponent::StaticClassInfo())
            .Bool(u"Enabled", &TTimer::Enabled, &TTimer::SetEnabled)
            .Int(u"Interval", &TTimer::Interval,
                 [](TTimer& t, int64_t v) { t.SetInterval(uint32_t(v)); })
            .Other(u"OnTimer", TTypeKind::tkMethod)
            .Creatable()
            .Build();
    return ci;
}

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
    FId = platform::thePlatform().timers().NewTimerId();
    UpdateTimer();
}

TTimer::~TTimer() {
    if (FArmed) platform::thePlatform().timers().KillTimer(FId);
}

void TTimer::SetEnabled(bool v) {
    if (v == FEnabled) return;
    FEnabled = v;
    UpdateTimer();
}

void TTimer::SetInterval(uint32_t v) {
    if (v == FInterval) return;
    FInterval = v;
    UpdateTimer();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    auto& timers = platform::thePlatform().timers();
    if (FArmed) {
        timers.KillTimer(FId);
        FArmed = false;
    }
    // While the form description is read, the timer waits for Loaded.
    if (!FEnabled || FInterval == 0 || (ComponentState() & csLoading)) return;
    FArmed = timers.SetTimer(FId, FInterval, [this] {
        if (OnTimer) OnTimer(this);
    });
}

}  // namespace ui
