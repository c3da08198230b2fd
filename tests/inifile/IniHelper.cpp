// A second process for the settings-file tests, driven by its arguments:
//   increment FILE N        N locked read-increment-write cycles on [Counter] Value
//   hold FILE READY         takes the file's lock, creates READY, then sleeps until killed
//   holdname NAME READY     opens the named lock NAME, creates READY, sleeps until killed
//   exists NAME             prints 1 when the named lock NAME was open elsewhere, else 0
//   writer FILE READY       creates READY, then rewrites [Data] keys generation after
//                           generation until killed
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "inifile/SafeIniFiles.h"
#include "tests/inifile/CrashValues.h"
#include "tests/inifile/RealServices.h"
#include "tests/inifile/SharedCounter.h"
#include "ui/Text.h"

using inifile::TSafeIniFile;

namespace {

void touch(const char* path) {
    int fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd >= 0) ::close(fd);
}

[[noreturn]] void sleepForever() {
    for (;;) ::pause();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    inifile::testing::RealServicesPlatform platform;
    const std::string cmd = argv[1];
    const std::u16string arg = ui::FromUtf8(argv[2]);
    try {
        if (cmd == "increment" && argc == 4) {
            const int n = std::atoi(argv[3]);
            for (int i = 0; i < n; ++i) inifile::testing::IncrementSharedCounter(arg);
            return 0;
        }
        if (cmd == "hold" && argc == 4) {
            TSafeIniFile ini(arg, true);
            ini.Lock();
            touch(argv[3]);
            sleepForever();
        }
        if (cmd == "holdname" && argc == 4) {
            bool existed = false;
            auto lock = platform.namedLocks().Create(arg, &existed);
            if (!lock) return 3;
            touch(argv[3]);
            sleepForever();
        }
        if (cmd == "exists") {
            bool existed = false;
            auto lock = platform.namedLocks().Create(arg, &existed);
            if (!lock) return 3;
            std::printf("%d\n", existed ? 1 : 0);
            return 0;
        }
        if (cmd == "writer" && argc == 4) {
            TSafeIniFile ini(arg, true);
            touch(argv[3]);
            // Carries on from what the killed writer before it finished.
            for (int gen = ini.ReadInteger(u"Data", u"Generation", 0) + 1;; ++gen) {
                for (int k = 0; k < inifile::testing::kCrashKeys; ++k)
                    ini.WriteString(u"Data", inifile::testing::CrashKey(k),
                                    inifile::testing::CrashValue(gen, k));
                ini.WriteInteger(u"Data", u"Generation", gen);
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tovra_ini_helper: %s\n", e.what());
        return 1;
    }
    return 2;
}
