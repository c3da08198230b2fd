#include "platform/fake/FakeLoop.h"

namespace platform::fake {

bool FakeLoop::SetTimer(uint32_t id, uint32_t intervalMs, Callback onExpire) {
    if (FRefuse) return false;
    FTimers[id] = Timer{intervalMs, FNow + (intervalMs ? intervalMs : 1), ++FSeq, std::move(onExpire)};
    return true;
}

bool FakeLoop::KillTimer(uint32_t id) { return FTimers.erase(id) != 0; }

uint64_t FakeLoop::dueTime(uint32_t id) const {
    auto it = FTimers.find(id);
    return it == FTimers.end() ? 0 : it->second.due;
}

void FakeLoop::runPosted() {
    // Only what was posted before this pass; work posted by handlers waits for the next.
    std::size_t n = FPosted.size();
    for (std::size_t i = 0; i < n && !FPosted.empty(); ++i) {
        auto fn = std::move(FPosted.front());
        FPosted.pop_front();
        fn();
    }
}

bool FakeLoop::fireOneDue(uint64_t limit) {
    auto best = FTimers.end();
    for (auto it = FTimers.begin(); it != FTimers.end(); ++it)
        if (it->second.due <= limit &&
            (best == FTimers.end() || it->second.due < best->second.due ||
             (it->second.due == best->second.due && it->second.seq < best->second.seq)))
            best = it;
    if (best == FTimers.end()) return false;
    if (best->second.due > FNow) FNow = best->second.due;
    // Like WM_TIMER: the next period counts from this expiry.
    best->second.due = FNow + (best->second.interval ? best->second.interval : 1);
    best->second.seq = ++FSeq;
    Callback cb = best->second.cb;  // the handler may kill or re-arm its own timer
    if (cb) cb();
    return true;
}

void FakeLoop::ProcessMessages() {
    runPosted();
    // Each timer due now fires once per pass, as coalesced WM_TIMER messages do.
    std::map<uint32_t, bool> fired;
    for (;;) {
        auto best = FTimers.end();
        for (auto it = FTimers.begin(); it != FTimers.end(); ++it)
            if (it->second.due <= FNow && !fired[it->first] &&
                (best == FTimers.end() || it->second.due < best->second.due))
                best = it;
        if (best == FTimers.end()) break;
        uint32_t id = best->first;
        fired[id] = true;
        best->second.due = FNow + (best->second.interval ? best->second.interval : 1);
        best->second.seq = ++FSeq;
        Callback cb = best->second.cb;
        if (cb) cb();
    }
}

void FakeLoop::advance(uint64_t ms) {
    uint64_t target = FNow + ms;
    runPosted();
    while (fireOneDue(target)) runPosted();
    if (FNow < target) FNow = target;
    runPosted();
}

void FakeLoop::requestEnd() {
    if (FEndRequested) return;
    FEndRequested = true;
    // Delivered through the loop, as the real signal watch is.
    Post([this] {
        if (FEndHandler)
            FEndHandler();
        else
            Quit(0);
    });
}

int FakeLoop::Run() {
    FQuit = false;
    while (!FQuit) {
        runPosted();
        if (FQuit) break;
        if (FTimers.empty() && FPosted.empty()) break;
        if (FPosted.empty()) fireOneDue(UINT64_MAX);
    }
    return FExitCode;
}

}  // namespace platform::fake
