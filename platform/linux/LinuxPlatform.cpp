#include "platform/linux/LinuxPlatform.h"

#include "platform/linux/QtLoop.h"

namespace platform::linux_ {

LinuxPlatform::LinuxPlatform()
    : FLoop(makeLoop()),
      FNotifyArea(makeNotifyArea()),
      FMessageBoxes(makeMessageBoxes()),
      FPickers(makePickers()),
      FFormDisplay(makeFormDisplay()),
      FRasterizer(makeRasterizer()),
      FNamedLocks(makeNamedLocks()),
      FProfileFiles(makeProfileFiles()),
      FFileSystem(makeFileSystem()),
      FAutostart(makeAutostart()),
      FShell(makeShell()),
      FIdleTime(makeIdleTime()),
      FMonitorPower(makeMonitorPower()),
      FAudio(makeAudio()),
      FSystemColors(makeSystemColors()),
      FScreen(makeScreen()),
      FResources(makeResources()),
      FVersion(makeVersion()) {
    installPlatform(this);
}

LinuxPlatform::~LinuxPlatform() {
    if (hasPlatform() && &thePlatform() == this) installPlatform(nullptr);
}

}  // namespace platform::linux_
