// The settings file under contention, on the real back end: two programs (processes) saving
// their settings under the settings lock, a reader loading under it, and an outside editor
// that replaces the file behind their backs. The file must always parse, no value may ever be
// torn, and with the lock every save is seen whole.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/NamedLocks.h"
#include "platform/ProfileFiles.h"
#include "platform/linux/Services.h"

namespace {

namespace fs = std::filesystem;
using platform::linux_::makeNamedLocks;
using platform::linux_::makeProfileFiles;

constexpr int kKeys = 12;
const std::u16string kLockName = u"tovra-contention-test";
// Long enough that a torn write would cut it somewhere.
const std::string kPayload(300, 'x');

std::u16string U16(const std::string& s) { return {s.begin(), s.end()}; }

std::string ValueFor(int writer, int generation, int key) {
    return std::to_string(writer) + "-" + std::to_string(generation) + "-" +
           std::to_string(key) + "-" + kPayload;
}

// One program saving its whole settings again and again, each save under the lock.
[[noreturn]] void Writer(const std::u16string& file, int id, int saves) {
    auto files = makeProfileFiles();
    auto locks = makeNamedLocks();
    auto lock = locks->Create(kLockName, nullptr);
    if (!lock) _exit(10);
    const std::u16string section = U16("Writer" + std::to_string(id));
    for (int g = 0; g < saves; ++g) {
        if (!lock->Wait(platform::INFINITE)) _exit(11);
        for (int k = 0; k < kKeys; ++k) {
            auto key = U16("Key" + std::to_string(k));
            auto value = U16(ValueFor(id, g, k));
            if (!files->WritePrivateProfileString(section.c_str(), key.c_str(), value.c_str(),
                                                  file))
                _exit(12);
        }
        lock->Release();
    }
    _exit(0);
}

// An editor that knows nothing of the lock: reads the file, adds its own line and writes the
// result to a new file that it renames over the old one, as text editors save.
[[noreturn]] void Editor(const fs::path& file, int edits) {
    for (int i = 0; i < edits; ++i) {
        std::ifstream in(file, std::ios::binary);
        std::string text{std::istreambuf_iterator<char>(in), {}};
        in.close();
        text += "; edited by hand " + std::to_string(i) + "\n";
        fs::path tmp = file;
        tmp += ".editor~";
        {
            std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
            out << text;
        }
        fs::rename(tmp, file);
        std::this_thread::sleep_for(std::chrono::milliseconds(3));
    }
    _exit(0);
}

struct Parsed {
    bool ok = true;
    std::string problem;
    std::map<std::string, std::map<std::string, std::string>> sections;
};

// The file as the profile-file rules read it; any line that is neither blank, comment,
// section nor key, and any writer's value that is not one a writer wrote, is a fault.
Parsed Parse(const std::string& text) {
    Parsed p;
    std::string section;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        auto eq = line.find('=');
        if (eq == std::string::npos || section.empty()) {
            p.ok = false;
            p.problem = "stray line: " + line.substr(0, 60);
            return p;
        }
        std::string key = line.substr(0, eq), value = line.substr(eq + 1);
        if (section.rfind("Writer", 0) == 0) {
            int w = 0, g = 0, k = 0;
            char rest[400] = {};
            if (std::sscanf(value.c_str(), "%d-%d-%d-%399s", &w, &g, &k, rest) != 4 ||
                value != ValueFor(w, g, k)) {
                p.ok = false;
                p.problem = "torn value in " + section + ": " + value.substr(0, 60);
                return p;
            }
        }
        p.sections[section][key] = value;
    }
    return p;
}

std::string ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class ContentionTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("tovra-contention-" + std::to_string(getpid()));
        fs::create_directories(dir / "QV Tovra");
        file = dir / "QV Tovra" / "tovra.ini";
        // The lock files go below the runtime folder: keep them away from the user's.
        setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
    }
    void TearDown() override {
        for (pid_t pid : children) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        fs::remove_all(dir);
    }
    pid_t spawn(const std::function<void()>& body) {
        pid_t pid = fork();
        if (pid == 0) {
            body();
            _exit(0);
        }
        children.push_back(pid);
        return pid;
    }
    // Waits for every child; true when all ended with status 0.
    bool join() {
        bool ok = true;
        for (pid_t pid : children) {
            int status = 0;
            waitpid(pid, &status, 0);
            ok = ok && WIFEXITED(status) && WEXITSTATUS(status) == 0;
        }
        children.clear();
        return ok;
    }
    bool running() {
        for (pid_t pid : children)
            if (waitpid(pid, nullptr, WNOHANG) == 0) return true;
        return false;
    }

    fs::path dir, file;
    std::vector<pid_t> children;
};

TEST_F(ContentionTest, UnderTheLockEverySaveIsSeenWhole) {
    const std::u16string path = U16(file.string());
    spawn([&] { Writer(path, 1, 40); });
    spawn([&] { Writer(path, 2, 40); });
    auto locks = makeNamedLocks();
    auto lock = locks->Create(kLockName, nullptr);
    ASSERT_TRUE(lock);
    int looks = 0;
    // Poll until both writers are done, then once more.
    for (bool last = false; !last;) {
        last = !running();
        ASSERT_TRUE(lock->Wait(platform::INFINITE));
        std::string text = fs::exists(file) ? ReadAll(file) : std::string();
        lock->Release();
        Parsed p = Parse(text);
        ASSERT_TRUE(p.ok) << p.problem;
        for (auto& [section, keys] : p.sections) {
            // A whole save: every key of a program's section from the same save.
            std::string generation;
            for (auto& [key, value] : keys) {
                std::string g = value.substr(0, value.find('-', value.find('-') + 1));
                if (generation.empty()) generation = g;
                ASSERT_EQ(g, generation) << section << " mixes saves";
            }
            ASSERT_EQ(keys.size(), std::size_t(kKeys)) << section;
        }
        ++looks;
    }
    EXPECT_TRUE(join());
    EXPECT_GT(looks, 2);
    Parsed end = Parse(ReadAll(file));
    EXPECT_EQ(end.sections["Writer1"]["Key0"], ValueFor(1, 39, 0));
    EXPECT_EQ(end.sections["Writer2"]["Key11"], ValueFor(2, 39, 11));
}

TEST_F(ContentionTest, AnOutsideEditorNeverLeavesAFileThatDoesNotParse) {
    const std::u16string path = U16(file.string());
    // The file exists before the editor starts, as the program's first save left it.
    auto files = makeProfileFiles();
    ASSERT_TRUE(files->WritePrivateProfileString(u"Writer1", u"Key0",
                                                 U16(ValueFor(1, 0, 0)).c_str(), path));
    spawn([&] { Writer(path, 1, 30); });
    spawn([&] { Writer(path, 2, 30); });
    spawn([&] { Editor(file, 100); });
    int looks = 0;
    for (bool last = false; !last;) {
        last = !running();
        // Without the lock, as another reader would: whatever moment, the file is whole.
        Parsed p = Parse(ReadAll(file));
        ASSERT_TRUE(p.ok) << p.problem;
        ++looks;
    }
    EXPECT_TRUE(join());
    EXPECT_GT(looks, 2);
    EXPECT_TRUE(Parse(ReadAll(file)).ok);
    // No stray temporary files are left beside the settings.
    for (auto& entry : fs::directory_iterator(dir / "QV Tovra"))
        EXPECT_EQ(entry.path().filename(), "tovra.ini") << entry.path();
}

}  // namespace
