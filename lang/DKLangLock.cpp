#include "lang/DKLangLock.h"

namespace lang {

void TDKLang_MREWLock::BeginRead() {
    std::unique_lock l(FMutex);
    const auto me = std::this_thread::get_id();
    // Nested reads and reads inside our own write never wait.
    if (FWriter != me && !FReaders.count(me))
        FChanged.wait(l, [&] { return FWriteDepth == 0; });
    ++FReaders[me];
}

void TDKLang_MREWLock::EndRead() {
    std::lock_guard l(FMutex);
    auto it = FReaders.find(std::this_thread::get_id());
    if (it == FReaders.end()) return;
    if (--it->second == 0) FReaders.erase(it);
    FChanged.notify_all();
}

void TDKLang_MREWLock::BeginWrite() {
    std::unique_lock l(FMutex);
    const auto me = std::this_thread::get_id();
    if (FWriteDepth > 0 && FWriter == me) {
        ++FWriteDepth;
        return;
    }
    FChanged.wait(l, [&] {
        if (FWriteDepth > 0) return false;
        return FReaders.empty() || (FReaders.size() == 1 && FReaders.count(me));
    });
    FWriter = me;
    FWriteDepth = 1;
}

void TDKLang_MREWLock::EndWrite() {
    std::lock_guard l(FMutex);
    if (FWriteDepth == 0 || FWriter != std::this_thread::get_id()) return;
    if (--FWriteDepth == 0) FWriter = std::thread::id();
    FChanged.notify_all();
}

}  // namespace lang
