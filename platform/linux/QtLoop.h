#pragma once
// Timers and the message loop on Qt's event loop.
#include <cstdint>
#include <map>
#include <memory>

#include "platform/MessageLoop.h"
#include "platform/Timers.h"

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
    std::map<uint32_t, std::unique_ptr<Entry>> FTimers;
    std::unique_ptr<EndRequestWatch> FEndWatch;
    uint32_t FLastId = 0;
};

}  // namespace platform::linux_
