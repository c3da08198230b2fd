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
    // The system asks the program to end (a termination signal, the desktop session closing).
    // `handler` runs on the GUI thread for the first request only; later ones are ignored, so a
    // second signal cannot cut short the shut-down that the first started. With no handler the
    // loop quits with code 0.
    virtual void OnEndRequest(std::function<void()> handler) { (void)handler; }
};

}  // namespace platform
