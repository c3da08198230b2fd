#pragma once
// The window timer: calls OnTimer on the GUI thread every Interval ms while Enabled.
#include <cstdint>

#include "ui/Classes.h"

namespace ui {

class TTimer : public TComponent {
    TOVRA_CLASS(TTimer)
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    // Switching on from off starts a full interval now; assigning the current state does nothing.
    void SetEnabled(bool v);
    uint32_t Interval() const { return FInterval; }
    // A different interval while on starts a full interval of the new length now.
    void SetInterval(uint32_t v);

    TNotifyEvent OnTimer;

    void Loaded() override;

private:
    void UpdateTimer();
    bool FEnabled = true;
    uint32_t FInterval = 1000;
    uint32_t FId = 0;
    bool FArmed = false;
};

}  // namespace ui
