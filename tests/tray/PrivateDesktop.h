#pragma once
// A private desktop for one test process: a virtual X display, a session bus and a tray host,
// each stopped by the process that started it. Nothing is shared with other tests running at
// the same time, so one may kill and restart its tray host freely.
#include <sys/types.h>

#include <string>
#include <vector>

namespace tovra_test {

class Child {
public:
    Child() = default;
    // Starts `argv`; when `readFd3` is set, the child's fd 3 is a pipe whose first line the
    // parent reads into `firstLine` (waiting up to 10 s).
    bool Start(const std::vector<std::string>& argv, bool readFd3 = false);
    void Stop();
    ~Child() { Stop(); }
    bool Running() const { return FPid > 0; }
    pid_t Pid() const { return FPid; }
    std::string firstLine;

private:
    pid_t FPid = -1;
};

class PrivateDesktop {
public:
    // Starts what is installed; Display() and Bus() tell what came up.
    void Start();
    ~PrivateDesktop();
    bool Display() const { return FX.Running(); }
    bool Bus() const { return FBus.Running(); }
    bool StartTrayHost();
    void StopTrayHost() { FTray.Stop(); }
    bool TrayHostRunning() const { return FTray.Running(); }
    bool StartNotificationService(const std::string& script);
    void StopNotificationService() { FService.Stop(); }

private:
    Child FX, FBus, FTray, FService;
    std::string FTmp;
};

bool HaveProgram(const char* name);

}  // namespace tovra_test
