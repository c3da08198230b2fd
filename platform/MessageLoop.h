#pragma once
// The GUI thread's message loop.
#include <cstdint>
#include <functional>

namespace platform {

class MessageLoop {
public:
    virtual ~MessageLoop() = default;
    // Handles every message that is pending now (timers due, posted work, input), then returns.
    virtual void ProcessMessages() = 0;
    // Blocks the thread for `ms` without handling messages.
    virtual void Block(uint32_t ms) = 0;
    // Runs `fn` later on the GUI thread, never nested inside the caller.
    virtual void Post(std::function<void()> fn) = 0;
    // Runs until Quit; returns its code.
    virtual int Run() = 0;
    virtual void Quit(int code) = 0;
};

}  // namespace platform
