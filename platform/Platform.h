#pragma once
// The platform seam: every service the portable core uses, reached through one object that
// the program (or a test) installs at start.
#include "platform/Audio.h"
#include "platform/Autostart.h"
#include "platform/FileSystem.h"
#include "platform/FormDisplay.h"
#include "platform/IdleTime.h"
#include "platform/MessageBoxes.h"
#include "platform/MessageLoop.h"
#include "platform/MonitorPower.h"
#include "platform/NamedLocks.h"
#include "platform/NotifyArea.h"
#include "platform/Pickers.h"
#include "platform/ProfileFiles.h"
#include "platform/Resources.h"
#include "platform/Screen.h"
#include "platform/Shell.h"
#include "platform/SystemColors.h"
#include "platform/TextRasterizer.h"
#include "platform/Timers.h"
#include "platform/Version.h"

namespace platform {

class Platform {
public:
    virtual ~Platform() = default;
    virtual TimerService& timers() = 0;
    virtual MessageLoop& loop() = 0;
    virtual NotifyArea& notifyArea() = 0;
    virtual MessageBoxes& messageBoxes() = 0;
    virtual Pickers& pickers() = 0;
    virtual FormDisplay& formDisplay() = 0;
    virtual TextRasterizer& rasterizer() = 0;
    virtual NamedLocks& namedLocks() = 0;
    virtual ProfileFiles& profileFiles() = 0;
    virtual FileSystem& fileSystem() = 0;
    virtual Autostart& autostart() = 0;
    virtual Shell& shell() = 0;
    virtual IdleTime& idleTime() = 0;
    virtual MonitorPower& monitorPower() = 0;
    virtual Audio& audio() = 0;
    virtual SystemColors& systemColors() = 0;
    virtual Screen& screen() = 0;
    virtual Resources& resources() = 0;
    virtual Version& version() = 0;
};

// The installed platform. Process-wide because the component model's objects (timers, the
// tray handler) are created without arguments; tests install a fake per test.
Platform& thePlatform();
bool hasPlatform();
void installPlatform(Platform* p);  // nullptr uninstalls

}  // namespace platform
