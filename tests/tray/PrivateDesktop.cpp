#include "PrivateDesktop.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

namespace tovra_test {

bool HaveProgram(const char* name) {
    std::string cmd = std::string("command -v ") + name + " >/dev/null 2>&1";
    return std::system(cmd.c_str()) == 0;
}

bool Child::Start(const std::vector<std::string>& argv, bool readFd3) {
    int fds[2] = {-1, -1};
    if (readFd3 && pipe(fds) != 0) return false;
    pid_t pid = fork();
    if (pid < 0) return false;
    if (pid == 0) {
        if (readFd3) {
            close(fds[0]);  // first: it may be fd 3 itself
            dup2(fds[1], 3);
            if (fds[1] != 3) close(fds[1]);
        }
        int devnull = open("/dev/null", O_RDWR);
        dup2(devnull, 1);
        dup2(devnull, 2);
        std::vector<char*> args;
        for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    FPid = pid;
    if (!readFd3) return true;
    close(fds[1]);
    std::string line;
    pollfd p{fds[0], POLLIN, 0};
    for (int waited = 0; waited < 10000;) {
        if (poll(&p, 1, 100) > 0) {
            char c;
            ssize_t n = read(fds[0], &c, 1);
            if (n <= 0) break;
            if (c == '\n') break;
            line += c;
        } else {
            waited += 100;
        }
    }
    close(fds[0]);
    firstLine = line;
    if (line.empty()) Stop();
    return !line.empty();
}

void Child::Stop() {
    if (FPid <= 0) return;
    kill(FPid, SIGTERM);
    int status = 0;
    for (int i = 0; i < 200 && waitpid(FPid, &status, WNOHANG) == 0; ++i) usleep(10000);
    if (waitpid(FPid, &status, WNOHANG) == 0) {
        kill(FPid, SIGKILL);
        waitpid(FPid, &status, 0);
    }
    FPid = -1;
}

void PrivateDesktop::Start() {
    if (HaveProgram("Xvfb") &&
        FX.Start({"Xvfb", "-displayfd", "3", "-screen", "0", "800x600x24", "-nolisten", "tcp"},
                 true)) {
        setenv("DISPLAY", (":" + FX.firstLine).c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    }
    char tmpl[] = "/tmp/tovra-tray-XXXXXX";
    if (mkdtemp(tmpl)) FTmp = tmpl;
    // A bus of our own that starts no services by name: a test decides what runs on it.
    std::string config = FTmp + "/bus.conf";
    if (FILE* f = fopen(config.c_str(), "w")) {
        fprintf(f,
                "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                "<busconfig><type>session</type><listen>unix:path=%s/bus</listen>"
                "<auth>EXTERNAL</auth><policy context=\"default\">"
                "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                "<allow own=\"*\"/></policy></busconfig>\n",
                FTmp.c_str());
        fclose(f);
    }
    if (!FTmp.empty() && HaveProgram("dbus-daemon") &&
        FBus.Start({"dbus-daemon", "--config-file=" + config, "--nofork", "--nopidfile",
                    "--print-address=3"},
                   true))
        setenv("DBUS_SESSION_BUS_ADDRESS", FBus.firstLine.c_str(), 1);
    else
        setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/tovra-no-bus", 1);
}

PrivateDesktop::~PrivateDesktop() {
    FService.Stop();
    FTray.Stop();
    FBus.Stop();
    FX.Stop();
    if (!FTmp.empty()) {
        unlink((FTmp + "/bus").c_str());
        unlink((FTmp + "/bus.conf").c_str());
        rmdir(FTmp.c_str());
    }
}

bool PrivateDesktop::StartTrayHost() {
    if (!Display() || !HaveProgram("trayer")) return false;
    return FTray.Start({"trayer", "--edge", "top", "--align", "right", "--widthtype", "pixel",
                        "--width", "120", "--heighttype", "pixel", "--height", "24",
                        "--transparent", "false", "--tint", "0xffffff"});
}

bool PrivateDesktop::StartNotificationService(const std::string& script) {
    if (!Bus()) return false;
    const char* python = access("/usr/bin/python3", X_OK) == 0 ? "/usr/bin/python3" : "python3";
    return FService.Start({python, script});
}

}  // namespace tovra_test
