#pragma once
// Factories of the Linux services, one per file of this folder.
#include <memory>
#include <string>

#include "platform/Platform.h"

namespace platform::linux_ {

// Timers and the message loop share the Qt event loop; one object serves both.
class QtLoopService;
std::unique_ptr<QtLoopService> makeLoop();
TimerService& timersOf(QtLoopService&);
MessageLoop& loopOf(QtLoopService&);

std::unique_ptr<NotifyArea> makeNotifyArea();
std::unique_ptr<MessageBoxes> makeMessageBoxes();
std::unique_ptr<Pickers> makePickers();
std::unique_ptr<FormDisplay> makeFormDisplay();
std::unique_ptr<TextRasterizer> makeRasterizer();
std::unique_ptr<NamedLocks> makeNamedLocks();
std::unique_ptr<ProfileFiles> makeProfileFiles();
std::unique_ptr<FileSystem> makeFileSystem();
std::unique_ptr<Autostart> makeAutostart();
std::unique_ptr<Shell> makeShell();
std::unique_ptr<IdleTime> makeIdleTime();
std::unique_ptr<MonitorPower> makeMonitorPower();
std::unique_ptr<Audio> makeAudio();
// The same over the SDL2 and SDL2_mixer libraries of these names, loaded on the first sound
// (makeAudio names the system's; tests name missing ones).
std::unique_ptr<Audio> makeSdlAudio(const std::string& sdlLibrary, const std::string& mixerLibrary);
std::unique_ptr<SystemColors> makeSystemColors();
std::unique_ptr<Screen> makeScreen();
std::unique_ptr<Resources> makeResources();
std::unique_ptr<Version> makeVersion();

}  // namespace platform::linux_
