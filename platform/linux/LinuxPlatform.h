#pragma once
// The platform of the running program on a Linux desktop. Create it after QApplication.
#include <memory>

#include "platform/Platform.h"
#include "platform/linux/Services.h"

namespace platform::linux_ {

class LinuxPlatform : public Platform {
public:
    LinuxPlatform();  // installs itself
    ~LinuxPlatform() override;

    TimerService& timers() override { return timersOf(*FLoop); }
    MessageLoop& loop() override { return loopOf(*FLoop); }
    NotifyArea& notifyArea() override { return *FNotifyArea; }
    MessageBoxes& messageBoxes() override { return *FMessageBoxes; }
    Pickers& pickers() override { return *FPickers; }
    FormDisplay& formDisplay() override { return *FFormDisplay; }
    TextRasterizer& rasterizer() override { return *FRasterizer; }
    NamedLocks& namedLocks() override { return *FNamedLocks; }
    ProfileFiles& profileFiles() override { return *FProfileFiles; }
    FileSystem& fileSystem() override { return *FFileSystem; }
    Autostart& autostart() override { return *FAutostart; }
    Shell& shell() override { return *FShell; }
    IdleTime& idleTime() override { return *FIdleTime; }
    MonitorPower& monitorPower() override { return *FMonitorPower; }
    Audio& audio() override { return *FAudio; }
    SystemColors& systemColors() override { return *FSystemColors; }
    Screen& screen() override { return *FScreen; }
    Resources& resources() override { return *FResources; }
    Version& version() override { return *FVersion; }

private:
    std::unique_ptr<QtLoopService> FLoop;
    std::unique_ptr<NotifyArea> FNotifyArea;
    std::unique_ptr<MessageBoxes> FMessageBoxes;
    std::unique_ptr<Pickers> FPickers;
    std::unique_ptr<FormDisplay> FFormDisplay;
    std::unique_ptr<TextRasterizer> FRasterizer;
    std::unique_ptr<NamedLocks> FNamedLocks;
    std::unique_ptr<ProfileFiles> FProfileFiles;
    std::unique_ptr<FileSystem> FFileSystem;
    std::unique_ptr<Autostart> FAutostart;
    std::unique_ptr<Shell> FShell;
    std::unique_ptr<IdleTime> FIdleTime;
    std::unique_ptr<MonitorPower> FMonitorPower;
    std::unique_ptr<Audio> FAudio;
    std::unique_ptr<SystemColors> FSystemColors;
    std::unique_ptr<Screen> FScreen;
    std::unique_ptr<Resources> FResources;
    std::unique_ptr<Version> FVersion;
};

}  // namespace platform::linux_
