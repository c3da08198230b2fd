#pragma once
// Window timers: expiries are delivered on the GUI thread by the message loop.
#include <cstdint>
#include <functional>

namespace platform {

class TimerService {
public:
    using Callback = std::function<void()>;
    virtual ~TimerService() = default;
    // A fresh identifier, unique among the process's timers.
    virtual uint32_t NewTimerId() = 0;
    // Arms timer `id` to fire every `intervalMs`; arming an armed id restarts its period from now.
    // False when the platform refuses.
    virtual bool SetTimer(uint32_t id, uint32_t intervalMs, Callback onExpire) = 0;
    // True when an armed timer was removed.
    virtual bool KillTimer(uint32_t id) = 0;
    // Milliseconds since an arbitrary start, wrapping at 2^32 (GetTickCount).
    virtual uint32_t GetTickCount() = 0;
};

}  // namespace platform
