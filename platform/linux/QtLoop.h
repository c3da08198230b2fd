#pragma once
// Timers and the message loop on Qt's event loop.
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "platform/MessageLoop.h"
#include "platform/Timers.h"

class QObject;
class QTimer;

namespace platform::linux_ {

class EndRequestWatch;

// CLOCK_MONOTONIC in ms, wrapping at 2^32: the tick count every service shares.
uint32_t monotonicMs();

class QtLoopService : public TimerService, public MessageLoop {
public:
    QtLoopService();
    ~QtLoopService() override;
    uint32_t NewTimerId() override { return ++FLastId; }
    bool SetTimer(uint32_t id, uint32_t intervalMs, Callback onExpire) override;
    bool KillTimer(uint32_t id) override;
    uint32_t GetTickCount() override { return monotonicMs(); }

    void ProcessMessages() override;
    void Block(uint32_t ms) override;
    void Post(std::function<void()> fn) override;
    int Run() override;
    void Quit(int code) override;
    void OnEndRequest(std::function<void()> handler) override;

private:
    struct Entry;
    void FreeRetired();
    std::map<uint32_t, std::unique_ptr<Entry>> FTimers;
    // Killed timers wait here until no timer callback runs: one may be killing itself. The
    // service owns them, so those still here when the program ends are freed with it.
    std::vector<std::unique_ptr<Entry>> FRetired;
    int FInCallback = 0;  // nesting of timer callbacks (a modal box runs a loop inside one)
    bool FFreePosted = false;
    std::unique_ptr<QObject> FContext;  // receives the posted frees; gone with the service
    std::unique_ptr<EndRequestWatch> FEndWatch;
    uint32_t FLastId = 0;
};

}  // namespace platform::linux_
