#include "platform/linux/QtLoop.h"

#include <time.h>

#include <QCoreApplication>
#include <QMetaObject>
#include <QTimer>

#include "platform/linux/QtEndRequests.h"
#include "platform/linux/Services.h"

namespace platform::linux_ {

uint32_t monotonicMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return uint32_t(uint64_t(ts.tv_sec) * 1000u + uint64_t(ts.tv_nsec) / 1000000u);
}

struct QtLoopService::Entry {
    QTimer timer;
    TimerService::Callback cb;
};

QtLoopService::QtLoopService() : FContext(std::make_unique<QObject>()) {}
QtLoopService::~QtLoopService() = default;

bool QtLoopService::SetTimer(uint32_t id, uint32_t intervalMs, Callback onExpire) {
    auto& e = FTimers[id];
    if (!e) {
        e = std::make_unique<Entry>();
        // Precise: a minute must be a minute; a long interval costs one wake-up either way.
        e->timer.setTimerType(Qt::PreciseTimer);
        Entry* raw = e.get();
        QObject::connect(&raw->timer, &QTimer::timeout, [this, raw] {
            auto cb = raw->cb;  // the handler may kill its own timer
            ++FInCallback;
            struct Leave {
                int& depth;
                ~Leave() { --depth; }
            } leave{FInCallback};
            if (cb) cb();
        });
    }
    e->cb = std::move(onExpire);
    e->timer.start(int(intervalMs));  // restarts the period when already running
    return true;
}

bool QtLoopService::KillTimer(uint32_t id) {
    auto it = FTimers.find(id);
    if (it == FTimers.end()) return false;
    bool wasActive = it->second->timer.isActive();
    it->second->timer.stop();
    FRetired.push_back(std::move(it->second));
    FTimers.erase(it);
    if (!FFreePosted) {
        FFreePosted = true;
        QMetaObject::invokeMethod(
            FContext.get(), [this] { FreeRetired(); }, Qt::QueuedConnection);
    }
    return wasActive;
}

void QtLoopService::FreeRetired() {
    FFreePosted = false;
    // Deleting a timer from inside its own timeout is unsafe; a later kill posts again.
    if (FInCallback == 0) FRetired.clear();
}

void QtLoopService::ProcessMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void QtLoopService::Block(uint32_t ms) {
    timespec ts{time_t(ms / 1000), long(ms % 1000) * 1000000L};
    while (nanosleep(&ts, &ts) != 0) {
    }
}

void QtLoopService::Post(std::function<void()> fn) {
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(fn), Qt::QueuedConnection);
}

int QtLoopService::Run() { return QCoreApplication::exec(); }

void QtLoopService::Quit(int code) { QCoreApplication::exit(code); }

void QtLoopService::OnEndRequest(std::function<void()> handler) {
    // Watching starts with the first handler, so a process that never asks keeps the default
    // signal actions.
    if (!FEndWatch) FEndWatch = std::make_unique<EndRequestWatch>([this] { Quit(0); });
    FEndWatch->SetHandler(std::move(handler));
}

std::unique_ptr<QtLoopService> makeLoop() { return std::make_unique<QtLoopService>(); }
TimerService& timersOf(QtLoopService& s) { return s; }
MessageLoop& loopOf(QtLoopService& s) { return s; }

}  // namespace platform::linux_
