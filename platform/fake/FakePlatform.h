#pragma once
// The whole platform for tests: installs itself on construction, uninstalls on destruction.
#include "platform/Platform.h"
#include "platform/fake/FakeDialogs.h"
#include "platform/fake/FakeLoop.h"
#include "platform/fake/FakeNotifyArea.h"
#include "platform/fake/FakeProfileFiles.h"
#include "platform/fake/FakeRasterizer.h"
#include "platform/fake/FakeSystem.h"

namespace platform::fake {

class FakePlatform : public Platform {
public:
    FakePlatform();
    ~FakePlatform() override;

    FakeLoop loopFake;
    FakeNotifyArea notifyAreaFake;
    FakeMessageBoxes messageBoxesFake;
    FakePickers pickersFake;
    FakeFormDisplay formDisplayFake;
    FakeRasterizer rasterizerFake;
    FakeNamedLocks namedLocksFake;
    FakeProfileFiles profileFilesFake;
    FakeFileSystem fileSystemFake;
    FakeAutostart autostartFake;
    FakeShell shellFake;
    FakeIdleTime idleTimeFake;
    FakeMonitorPower monitorPowerFake;
    FakeAudio audioFake;
    FakeSystemColors systemColorsFake;
    FakeScreen screenFake;
    FakeResources resourcesFake;
    FakeVersion versionFake;

    // Shorthand for the clock.
    void advance(uint64_t ms) { loopFake.advance(ms); }
    // The user touched keyboard or mouse now.
    void userInput() { idleTimeFake.lastInput = loopFake.GetTickCount(); }

    TimerService& timers() override { return loopFake; }
    MessageLoop& loop() override { return loopFake; }
    NotifyArea& notifyArea() override { return notifyAreaFake; }
    MessageBoxes& messageBoxes() override { return messageBoxesFake; }
    Pickers& pickers() override { return pickersFake; }
    FormDisplay& formDisplay() override { return formDisplayFake; }
    TextRasterizer& rasterizer() override { return rasterizerFake; }
    NamedLocks& namedLocks() override { return namedLocksFake; }
    ProfileFiles& profileFiles() override { return profileFilesFake; }
    FileSystem& fileSystem() override { return fileSystemFake; }
    Autostart& autostart() override { return autostartFake; }
    Shell& shell() override { return shellFake; }
    IdleTime& idleTime() override { return idleTimeFake; }
    MonitorPower& monitorPower() override { return monitorPowerFake; }
    Audio& audio() override { return audioFake; }
    SystemColors& systemColors() override { return systemColorsFake; }
    Screen& screen() override { return screenFake; }
    Resources& resources() override { return resourcesFake; }
    Version& version() override { return versionFake; }

private:
    Platform* FPrevious;
};

}  // namespace platform::fake
