#pragma once
// The fake platform with the real lock, profile-file and clock services of the Linux back end:
// enough for the settings file to run against real files and other processes, without a
// desktop.
#include <chrono>
#include <memory>
#include <thread>

#include "platform/fake/FakePlatform.h"
#include "platform/linux/Services.h"

namespace inifile::testing {

class RealClock : public platform::fake::FakeLoop {
public:
    uint32_t GetTickCount() override {
        using namespace std::chrono;
        return uint32_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    }
    void Block(uint32_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};

class RealServicesPlatform : public platform::fake::FakePlatform {
public:
    RealClock clock;
    std::unique_ptr<platform::NamedLocks> locks = platform::linux_::makeNamedLocks();
    std::unique_ptr<platform::ProfileFiles> profiles = platform::linux_::makeProfileFiles();

    platform::TimerService& timers() override { return clock; }
    platform::MessageLoop& loop() override { return clock; }
    platform::NamedLocks& namedLocks() override { return *locks; }
    platform::ProfileFiles& profileFiles() override { return *profiles; }
};

}  // namespace inifile::testing
