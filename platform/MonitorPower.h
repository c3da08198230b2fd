#pragma once

namespace platform {

// Switching the display off and on; silently nothing where the desktop offers no way.
class MonitorPower {
public:
    virtual ~MonitorPower() = default;
    virtual void SetMonitorPower(bool on) = 0;
};

}  // namespace platform
