#pragma once
#include <cstdint>

namespace platform {

// GetLastInputInfo: tick count (TimerService::GetTickCount units) of the last keyboard or
// mouse input. A source that cannot tell reports "now", so the user counts as active.
class IdleTime {
public:
    virtual ~IdleTime() = default;
    virtual uint32_t LastInputTick() = 0;
};

}  // namespace platform
