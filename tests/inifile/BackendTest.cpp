// The settings file on the real Linux services: files in a temporary folder, locks shared
// with helper processes, writers killed at random moments.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>

#include "inifile/SafeIniFiles.h"
#include "platform/linux/LockPaths.h"
#include "tests/inifile/CrashValues.h"
#include "tests/inifile/SharedCounter.h"
#include "tests/inifile/RealServices.h"
#include "ui/Exceptions.h"
#include "ui/Text.h"

namespace inifile::testing {
namespace {

using namespace std::chrono_literals;

std::string u8(const std::u16string& s) { return ui::ToUtf8(s); }
std::u16string u16(const std::string& s) { return ui::FromUtf8(s); }

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A child running the helper; killed and reaped when the test ends.
class Helper {
public:
    explicit Helper(std::vector<std::string> args) {
        args.insert(args.begin(), TOVRA_INI_HELPER);
        FPid = ::fork();
        if (FPid == 0) {
            std::vector<char*> argv;
            for (auto& a : args) argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
    }
    ~Helper() {
        if (FPid > 0) {
            ::kill(FPid, SIGKILL);
            ::waitpid(FPid, nullptr, 0);
        }
    }
    int wait() {
        int status = 0;
        ::waitpid(FPid, &status, 0);
        FPid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    void kill() {
        ::kill(FPid, SIGKILL);
        wait();
    }

private:
    pid_t FPid = -1;
};

bool waitForFile(const std::string& path, std::chrono::milliseconds limit) {
    auto until = std::chrono::steady_clock::now() + limit;
    while (::access(path.c_str(), F_OK) != 0) {
        if (std::chrono::steady_clock::now() > until) return false;
        std::this_thread::sleep_for(2ms);
    }
    return true;
}

class BackendTest : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/tovra-ini-test-XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        dir = tmpl;
        ::mkdir((dir + "/run").c_str(), 0700);
        ::mkdir((dir + "/home").c_str(), 0700);
        // A private runtime folder: the per-user locks of this test live there.
        saveEnv("XDG_RUNTIME_DIR", dir + "/run");
        saveEnv("HOME", dir + "/home");
        saveEnv("XDG_CONFIG_HOME", dir + "/home/.config");
        saveEnv("LANG", "C.UTF-8");
        file = dir + "/tovra.ini";
    }
    void TearDown() override {
        for (auto& [name, value] : FSaved)
            value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
        std::string cmd = "rm -rf '" + dir + "'";
        (void)!std::system(cmd.c_str());
    }
    void saveEnv(const std::string& name, const std::string& value) {
        const char* old = std::getenv(name.c_str());
        FSaved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        ::setenv(name.c_str(), value.c_str(), 1);
    }
    std::vector<std::string> folderEntries() {
        std::vector<std::string> r;
        if (auto* d = ::opendir(dir.c_str())) {
            while (auto* ent = ::readdir(d)) {
                std::string n = ent->d_name;
                if (n != "." && n != "..") r.push_back(n);
            }
            ::closedir(d);
        }
        std::sort(r.begin(), r.end());
        return r;
    }

    RealServicesPlatform platform;
    std::string dir, file;

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> FSaved;
};

TEST_F(BackendTest, SettingsRoundTripThroughARealFile) {
    {
        TSafeIniFile ini(u16(file));
        EXPECT_TRUE(ini.HasLock());
        ini.WriteInteger(u"Work", u"Time", 45);
        ini.WriteWideString(u"Work", u"Msg", u"Work!");
        ini.WriteString(u"Work", u"Long", std::u16string(70000, u'ж'));
        ini.WriteColor(u"Rest", u"BgColor", ui::clMoneyGreen);
    }
    EXPECT_EQ(readFile(file).substr(0, 33), "[Work]\nTime=45\nMsg=57006F0072006B");
    TSafeIniFile ini(u16(file));
    EXPECT_EQ(ini.ReadInteger(u"Work", u"Time", 0), 45);
    EXPECT_EQ(ini.ReadWideString(u"Work", u"Msg", u""), u"Work!");
    EXPECT_EQ(ini.ReadString(u"Work", u"Long", u""), std::u16string(70000, u'ж'));
    EXPECT_EQ(ini.ReadColor(u"Rest", u"BgColor", 0), ui::clMoneyGreen);
    EXPECT_EQ(folderEntries(), (std::vector<std::string>{"home", "run", "tovra.ini"}));
}

TEST_F(BackendTest, CrLfFilesWithCommentsKeepTheirLines) {
    writeFile(file, "\xEF\xBB\xBF; my notes\r\n[Work]\r\nTime=30\r\n\r\n[Mine]\r\nx = y\r\n");
    TSafeIniFile ini(u16(file));
    EXPECT_EQ(ini.ReadInteger(u"Work", u"Time", 0), 30);
    ini.WriteInteger(u"Work", u"Time", 50);
    ini.WriteBool(u"Work", u"Border", true);
    EXPECT_EQ(readFile(file),
              "\xEF\xBB\xBF; my notes\r\n[Work]\r\nTime=50\r\nBorder=1\r\n\r\n[Mine]\r\nx = y\r\n");
}

TEST_F(BackendTest, PermissionsAndLinksSurviveTheReplacement) {
    writeFile(file, "[A]\nk=1\n");
    ::chmod(file.c_str(), 0640);
    std::string target = dir + "/real.ini", link = dir + "/link.ini";
    writeFile(target, "[A]\nk=1\n");
    ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
    {
        TSafeIniFile a(u16(file)), b(u16(link));
        a.WriteInteger(u"A", u"k", 2);
        b.WriteInteger(u"A", u"k", 3);
    }
    struct stat st;
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    ASSERT_EQ(::lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(readFile(target), "[A]\nk=3\n");
    EXPECT_EQ(folderEntries(),
              (std::vector<std::string>{"home", "link.ini", "real.ini", "run", "tovra.ini"}));
}

TEST_F(BackendTest, WriteFailuresReportTheSystemReason) {
    struct Case {
        std::string path;
        std::string reason;
        bool retried;
    } cases[] = {
        {dir + "/missing/tovra.ini", "The system cannot find the path specified.", false},
        {dir + "/" + std::string(300, 'n') + ".ini", "The file name is too long.", false},
        {dir + "/ro/tovra.ini", "Access is denied.", true},
    };
    ::mkdir((dir + "/ro").c_str(), 0500);
    for (const auto& c : cases) {
        if (c.retried && ::geteuid() == 0) continue;  // root writes anywhere
        TSafeIniFile ini(u16(c.path));
        auto start = std::chrono::steady_clock::now();
        try {
            ini.WriteInteger(u"Work", u"Time", 1);
            ADD_FAILURE() << "no error for " << c.path;
        } catch (const ui::EIniFileException& e) {
            EXPECT_EQ(u8(e.Message()), "TSafeIniFile.WriteString -> " + c.reason +
                                           " -> Unable to write to " + c.path);
        }
        auto took = std::chrono::steady_clock::now() - start;
        if (c.retried)
            EXPECT_GE(took, 1000ms) << c.path;
        else
            EXPECT_LT(took, 500ms) << c.path;
        EXPECT_EQ(ini.ReadInteger(u"Work", u"Time", 7), 7);
    }
    ::chmod((dir + "/ro").c_str(), 0700);
}

TEST_F(BackendTest, ErasingInAMissingFolderFailsAndInAMissingFileDoesNot) {
    const std::string missing = dir + "/missing/tovra.ini";
    TSafeIniFile lost(u16(missing));
    try {
        lost.EraseSection(u"Work");
        ADD_FAILURE() << "no error";
    } catch (const ui::EIniFileException& e) {
        EXPECT_EQ(u8(e.Message()), "TSafeIniFile.EraseSection -> Unable to write to " + missing);
    }
    TSafeIniFile ini(u16(file));
    ini.EraseSection(u"Work");
    ini.DeleteKey(u"Work", u"Time");
    EXPECT_NE(::access(file.c_str(), F_OK), 0) << "a removal created the file";
}

TEST_F(BackendTest, ReadOnlySettingsFileStaysUntouched) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes anywhere";
    writeFile(file, "[Work]\nTime=45\n");
    ::chmod(file.c_str(), 0444);
    TSafeIniFile ini(u16(file));
    EXPECT_THROW(ini.WriteInteger(u"Work", u"Time", 1), ui::EIniFileException);
    EXPECT_EQ(readFile(file), "[Work]\nTime=45\n");
}

TEST_F(BackendTest, NamedLockIsRecursiveAcrossHandlesAndSerialisesThreads) {
    auto& locks = platform.namedLocks();
    bool existed = true;
    auto a = locks.Create(u"Global\\tovra-test-" + u16(dir.substr(5)), &existed);
    ASSERT_TRUE(a);
    EXPECT_FALSE(existed);
    auto b = locks.Create(u"Global\\tovra-test-" + u16(dir.substr(5)), &existed);
    EXPECT_TRUE(existed);
    ASSERT_TRUE(a->Wait(platform::INFINITE));
    ASSERT_TRUE(b->Wait(platform::INFINITE));  // same thread, other handle: no deadlock
    std::atomic<bool> otherGot{false};
    std::thread t([&] {
        EXPECT_FALSE(b->Wait(50));
        ASSERT_TRUE(b->Wait(platform::INFINITE));
        otherGot = true;
        b->Release();
    });
    std::this_thread::sleep_for(100ms);
    a->Release();
    std::this_thread::sleep_for(50ms);
    EXPECT_FALSE(otherGot) << "one release of two let another thread in";
    b->Release();
    t.join();
    EXPECT_TRUE(otherGot);
}

TEST_F(BackendTest, PathsDifferingInCaseShareOneLock) {
    TSafeIniFile a(u16(dir + "/App.ini")), b(u16(dir + "/app.ini"));
    a.Lock();
    std::atomic<bool> done{false};
    std::thread reader([&] {
        b.ReadString(u"S", u"K", u"");
        done = true;
    });
    std::this_thread::sleep_for(150ms);
    EXPECT_FALSE(done) << "the read did not wait for the lock";
    a.UnLock();
    reader.join();
    EXPECT_TRUE(done);
}

TEST_F(BackendTest, ThreadsIncrementingThroughTheirOwnObjectsLoseNothing) {
    constexpr int kThreads = 4, kCycles = 100;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < kCycles; ++i) inifile::testing::IncrementSharedCounter(u16(file));
        });
    for (auto& t : threads) t.join();
    TSafeIniFile ini(u16(file));
    EXPECT_EQ(ini.ReadInteger(u"Counter", u"Value", 0), kThreads * kCycles);
}

TEST_F(BackendTest, ProcessesIncrementingOneKeyEndWithTheExactTotal) {
    constexpr int kProcesses = 4, kCycles = 150;
    {
        std::vector<std::unique_ptr<Helper>> helpers;
        for (int p = 0; p < kProcesses; ++p)
            helpers.push_back(std::make_unique<Helper>(
                std::vector<std::string>{"increment", file, std::to_string(kCycles)}));
        // This process joins in, one fresh object per cycle as the helpers do.
        for (int i = 0; i < kCycles; ++i) inifile::testing::IncrementSharedCounter(u16(file));
        for (auto& h : helpers) EXPECT_EQ(h->wait(), 0);
    }
    TSafeIniFile ini(u16(file));
    EXPECT_EQ(ini.ReadInteger(u"Counter", u"Value", 0), (kProcesses + 1) * kCycles);
}

TEST_F(BackendTest, AHolderKilledWhileHoldingTheLockBlocksNobody) {
    const std::string ready = dir + "/ready";
    Helper holder({"hold", file, ready});
    ASSERT_TRUE(waitForFile(ready, 10s));
    TSafeIniFile ini(u16(file));
    std::atomic<bool> done{false};
    std::thread writer([&] {
        ini.WriteInteger(u"Work", u"Time", 45);
        done = true;
    });
    std::this_thread::sleep_for(200ms);
    EXPECT_FALSE(done) << "the lock of the other process did not hold";
    holder.kill();
    writer.join();
    EXPECT_TRUE(done);
    EXPECT_EQ(ini.ReadInteger(u"Work", u"Time", 0), 45);
}

TEST_F(BackendTest, SingleInstanceCheckSeesOtherLiveProcessesOnly) {
    const std::u16string name = u"{BF1F3DE6-D3DF-4554-A223-D1F5AD7BB2B6}";
    auto existsElsewhere = [&] {
        std::string out;
        FILE* p = ::popen((std::string(TOVRA_INI_HELPER) + " exists '" + u8(name) + "'").c_str(), "r");
        char buf[16] = {};
        if (p && std::fgets(buf, sizeof buf, p)) out = buf;
        if (p) ::pclose(p);
        return out;
    };
    EXPECT_EQ(existsElsewhere(), "0\n");
    const std::string ready = dir + "/ready";
    {
        Helper first({"holdname", u8(name), ready});
        ASSERT_TRUE(waitForFile(ready, 10s));
        EXPECT_EQ(existsElsewhere(), "1\n");
        bool existed = false;
        auto mine = platform.namedLocks().Create(name, &existed);
        ASSERT_TRUE(mine);
        EXPECT_TRUE(existed);
        first.kill();
    }
    bool existed = true;
    auto again = platform.namedLocks().Create(name, &existed);
    ASSERT_TRUE(again);
    EXPECT_FALSE(existed) << "a dead process still counted";
    bool second = false;
    auto twice = platform.namedLocks().Create(name, &second);
    EXPECT_TRUE(second);
    EXPECT_EQ(existsElsewhere(), "1\n");
}

TEST(LockFileNames, EscapeSlashesAndShortenLongNames) {
    using platform::linux_::LockFileName;
    EXPECT_EQ(LockFileName(u"ini file lock mutex_tmp_a.ini"), "ini file lock mutex_tmp_a.ini.lock");
    EXPECT_EQ(LockFileName(u"a/b%c"), "a%2Fb%25c.lock");
    EXPECT_EQ(LockFileName(u".."), "%...lock");
    std::u16string longName(400, u'я');
    std::string f = LockFileName(longName);
    EXPECT_LE(f.size(), 200u);
    EXPECT_NE(f, LockFileName(longName + u"x"));
    EXPECT_EQ(f, LockFileName(longName));
    std::string global = platform::linux_::LockFilePath(u"Global\\x");
    EXPECT_EQ(global, "/tmp/.tovra-locks/x.lock");
    struct stat st;
    ASSERT_EQ(::lstat("/tmp/.tovra-locks", &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 01777u);
}

TEST_F(BackendTest, LockFilesAreNeverFollowedThroughLinks) {
    std::string path = platform::linux_::LockFilePath(u"linked");
    ASSERT_FALSE(path.empty());
    std::string victim = dir + "/victim";
    writeFile(victim, "keep");
    ASSERT_EQ(::symlink(victim.c_str(), path.c_str()), 0);
    EXPECT_EQ(platform.namedLocks().Create(u"linked", nullptr), nullptr);
    EXPECT_EQ(readFile(victim), "keep");
}

TEST_F(BackendTest, WritersKilledAtRandomMomentsNeverLeaveADamagedFile) {
    std::mt19937 rng(12345);
    // The random moments count from the writer's first write, not from its exec, and span
    // twice the time one generation takes here: a slow start or slow writes (a sanitizer
    // build, a loaded machine) must not leave every kill before the first rename.
    const std::string ready = dir + "/home/writer-ready";
    auto startWriter = [&] {
        ::unlink(ready.c_str());
        auto writer = std::make_unique<Helper>(std::vector<std::string>{"writer", file, ready});
        EXPECT_TRUE(waitForFile(ready, 10s));
        return writer;
    };
    int windowMs = 60, firstGen = 0;
    {
        auto writer = startWriter();
        const auto start = std::chrono::steady_clock::now();
        while (firstGen < 1 && std::chrono::steady_clock::now() - start < 10s) {
            std::this_thread::sleep_for(1ms);
            firstGen = TSafeIniFile(u16(file)).ReadInteger(u"Data", u"Generation", 0);
        }
        ASSERT_GE(firstGen, 1) << "a writer left alone never finished a generation";
        auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - start);
        windowMs = std::max(windowMs, int(2 * took.count()));
        writer->kill();
        firstGen = TSafeIniFile(u16(file)).ReadInteger(u"Data", u"Generation", 0);
    }
    int lastGen = firstGen, kills = 0;
    for (int round = 0; round < 40; ++round) {
        {
            auto writer = startWriter();
            std::this_thread::sleep_for(std::chrono::milliseconds(5 + rng() % windowMs));
            writer->kill();
            ++kills;
        }
        TSafeIniFile ini(u16(file));
        int gen = ini.ReadInteger(u"Data", u"Generation", 0);
        EXPECT_GE(gen, lastGen) << "the generation went back";
        for (int k = 0; k < kCrashKeys; ++k) {
            std::u16string v = ini.ReadString(u"Data", CrashKey(k), u"absent");
            if (gen == 0 && v == u"absent") continue;
            int g = CrashGeneration(v, k);
            EXPECT_TRUE(g == gen || g == gen + 1)
                << "round " << round << " key " << k << ": generation " << g << " with " << gen
                << " complete; " << v.size() << " characters";
        }
        lastGen = gen;
    }
    EXPECT_EQ(kills, 40);
    EXPECT_GT(lastGen, firstGen) << "the killed writers never finished one generation";
    // The new text is unnamed until the rename, so killed writers leave nothing behind (but
    // for a kill in the microseconds between naming and renaming).
    int leftovers = 0;
    for (const auto& e : folderEntries()) {
        bool temp = e.rfind(".tovra.ini.tmp-", 0) == 0;
        leftovers += temp;
        EXPECT_TRUE(e == "home" || e == "run" || e == "tovra.ini" || temp) << e;
    }
    EXPECT_LE(leftovers, 1);
}

}  // namespace
}  // namespace inifile::testing
