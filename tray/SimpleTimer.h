#pragma once
// A small timer object (no owner) calling OnTimer every Interval ms on the GUI thread. All
// timer objects share one handler, alive while at least one timer object exists.
#include <cstdint>
#include <map>

#include "ui/Classes.h"

namespace tray {

class TSimpleTimer : public ui::TObject {
public:
    TSimpleTimer();                                              // 1000 ms, no event
    TSimpleTimer(uint32_t AInterval, ui::TNotifyEvent AOnTimer);  // CreateEx
    ~TSimpleTimer() override;
    TSimpleTimer(const TSimpleTimer&) = delete;
    TSimpleTimer& operator=(const TSimpleTimer&) = delete;

    bool Enabled() const { return FEnabled; }
    // True (re)starts the period from now, also when already running.
    void SetEnabled(bool Value);
    uint32_t Interval() const { return FInterval; }
    void SetInterval(uint32_t Value);
    const ui::TNotifyEvent& OnTimer() const { return FOnTimer; }
    void SetOnTimer(ui::TNotifyEvent Value);
    bool AutoDisable = false;  // stop after the first expiry
    int32_t Tag = 0;

    uint32_t Id() const { return FId; }

private:
    friend class TSimpleTimerHandler;
    void InitTimer(uint32_t AInterval, ui::TNotifyEvent AOnTimer);
    bool StartTimer();
    enum class Stop { Clear, Keep };
    void StopTimer(Stop how);

    uint32_t FId = 0;
    bool FEnabled = false;
    uint32_t FInterval = 1000;
    ui::TNotifyEvent FOnTimer;
};

// The shared handler: knows the live timer objects by identifier and delivers expiries.
class TSimpleTimerHandler {
public:
    uint32_t RefCount = 0;     // live timer objects
    uint32_t ActiveCount = 0;  // timers armed with the platform
    void AddTimer(TSimpleTimer* t);
    void RemoveTimer(TSimpleTimer* t);
    // An expiry of timer `id`; ignored when no live timer has that identifier.
    void TimerWindowProc(uint32_t id);

private:
    std::map<uint32_t, TSimpleTimer*> FTimers;
};

// The one handler, or nullptr while no timer object exists.
TSimpleTimerHandler* SharedTimerHandler();

}  // namespace tray
