#include "platform/linux/LinuxPlatform.h"

#include <QPixmapCache>

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
    // No pixmap cache: the tray paints a new face every minute, and each one cached arms the
    // cache's 30-second clean-up, a wake-up half-way between ticks. What it would keep (a
    // scaled 16x16 face, the settings window's small drawings) is cheap to draw again.
    QPixmapCache::setCacheLimit(0);
    installPlatform(this);
}

LinuxPlatform::~LinuxPlatform() {
    if (hasPlatform() && &thePlatform() == this) installPlatform(nullptr);
}

}  // namespace platform::linux_
