// The backend uses Qt's process and D-Bus classes, which want an application object. The
// whole test process gets a session bus of its own, so that fake desktop services never
// meet, or disturb, a developer's real desktop.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <memory>
#include <string>

extern char** environ;

namespace {

class QtAppEnv : public ::testing::Environment {
public:
    void SetUp() override {
        startPrivateBus();
        FApp = std::make_unique<QCoreApplication>(FArgc, FArgv);
    }
    void TearDown() override {
        FApp.reset();
        if (FBusPid > 0) {
            kill(FBusPid, SIGTERM);
            waitpid(FBusPid, nullptr, 0);
        }
    }

private:
    void startPrivateBus() {
        // Whatever happens below, never the developer's bus.
        setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/tovra-test-bus", 1);
        setenv("TOVRA_TEST_PRIVATE_BUS", "0", 1);
        int fds[2];
        if (pipe(fds) != 0) return;
        posix_spawn_file_actions_t fa;
        posix_spawn_file_actions_init(&fa);
        posix_spawn_file_actions_adddup2(&fa, fds[1], 1);
        posix_spawn_file_actions_addclose(&fa, fds[0]);
        posix_spawn_file_actions_addopen(&fa, 2, "/dev/null", O_WRONLY, 0);
        // Under timeout(1): should this process die without its tear-down, the bus still goes.
        char* argv[] = {const_cast<char*>("timeout"), const_cast<char*>("600"),
                        const_cast<char*>("dbus-daemon"), const_cast<char*>("--session"),
                        const_cast<char*>("--nofork"), const_cast<char*>("--nopidfile"),
                        const_cast<char*>("--print-address=1"), nullptr};
        if (posix_spawnp(&FBusPid, "timeout", &fa, nullptr, argv, environ) != 0) FBusPid = -1;
        posix_spawn_file_actions_destroy(&fa);
        close(fds[1]);
        std::string address;
        char c;
        while (FBusPid > 0 && read(fds[0], &c, 1) == 1 && c != '\n') address += c;
        close(fds[0]);
        if (FBusPid > 0 && !address.empty()) {
            setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);
            setenv("TOVRA_TEST_PRIVATE_BUS", "1", 1);
        }
    }

    int FArgc = 1;
    char FName[16] = "platform_tests";
    char* FArgv[2] = {FName, nullptr};
    std::unique_ptr<QCoreApplication> FApp;
    pid_t FBusPid = -1;
};

[[maybe_unused]] auto* const registered = ::testing::AddGlobalTestEnvironment(new QtAppEnv);

}  // namespace
