#pragma once
// Virtual time: timers fire as a test advances the clock; nothing reads a real clock.
#include <cstdint>
#include <deque>
#include <functional>
#include <map>

#include "platform/MessageLoop.h"
#include "platform/Timers.h"

namespace platform::fake {

class FakeLoop : public TimerService, public MessageLoop {
public:
    // TimerService
    uint32_t NewTimerId() override { return ++FLastId; }
    bool SetTimer(uint32_t id, uint32_t intervalMs, Callback onExpire) override;
    bool KillTimer(uint32_t id) override;
    uint32_t GetTickCount() override { return uint32_t(FNow); }

    // MessageLoop: ProcessMessages runs posted work and the timers due now; Block moves the
    // clock without handling anything (the due timers fire at the next ProcessMessages).
    void ProcessMessages() override;
    void Block(uint32_t ms) override { FNow += ms; }
    void Post(std::function<void()> fn) override { FPosted.push_back(std::move(fn)); }
    // Advances time until Quit; returns at once when nothing is left to happen.
    int Run() override;
    void Quit(int code) override {
        FQuit = true;
        FExitCode = code;
    }

    void OnEndRequest(std::function<void()> handler) override { FEndHandler = std::move(handler); }
    // A termination signal arrives: the first runs the handler (or quits), later ones nothing.
    void requestEnd();
    bool endRequested() const { return FEndRequested; }

    // Lets `ms` pass in an idle message loop: every timer fires at its due time, in order.
    void advance(uint64_t ms);
    uint64_t now() const { return FNow; }
    void setNow(uint64_t ms) { FNow = ms; }
    bool armed(uint32_t id) const { return FTimers.count(id) != 0; }
    std::size_t armedCount() const { return FTimers.size(); }
    // Due time of timer `id`, or 0 when not armed.
    uint64_t dueTime(uint32_t id) const;
    void refuseTimers(bool refuse) { FRefuse = refuse; }
    bool quitRequested() const { return FQuit; }
    int exitCode() const { return FExitCode; }

private:
    struct Timer {
        uint32_t interval;
        uint64_t due;
        uint64_t seq;  // arming order breaks ties
        Callback cb;
    };
    bool fireOneDue(uint64_t limit);
    void runPosted();
    std::map<uint32_t, Timer> FTimers;
    std::deque<std::function<void()>> FPosted;
    uint64_t FNow = 1000000;  // far from 0, so tick arithmetic has room both ways
    uint64_t FSeq = 0;
    uint32_t FLastId = 0;
    bool FRefuse = false;
    bool FQuit = false;
    int FExitCode = 0;
    std::function<void()> FEndHandler;
    bool FEndRequested = false;
};

}  // namespace platform::fake
