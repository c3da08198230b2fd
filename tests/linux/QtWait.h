#pragma once
// Waiting in tests that run the real Qt services: events are handled while waiting, as the
// program's loop would handle them.
#include <QCoreApplication>
#include <chrono>
#include <functional>
#include <thread>

// True as soon as `cond` holds; false when it still does not after `ms`.
inline bool waitFor(const std::function<bool()>& cond, int ms) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (cond()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return cond();
}
