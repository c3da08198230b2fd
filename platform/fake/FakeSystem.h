#pragma once
// Plain-state fakes of the system services; tests set them up and read what was asked.
#include <array>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/Audio.h"
#include "platform/Autostart.h"
#include "platform/FileSystem.h"
#include "platform/IdleTime.h"
#include "platform/MonitorPower.h"
#include "platform/NamedLocks.h"
#include "platform/Resources.h"
#include "platform/Screen.h"
#include "platform/Shell.h"
#include "platform/SystemColors.h"
#include "platform/Version.h"

namespace platform::fake {

// An in-memory file tree. Paths are compared exactly.
class FakeFileSystem : public FileSystem {
public:
    std::map<std::u16string, std::vector<uint8_t>> files;
    std::set<std::u16string> dirs;
    std::set<std::u16string> unwritable;  // folders ForceDirectories cannot create
    std::u16string exePath = u"/opt/tovra/tovra";
    std::u16string appDataPath = u"/home/user/.config";

    void addFile(const std::u16string& path, const std::string& content);
    bool FileExists(const std::u16string& path) override { return files.count(path) != 0; }
    bool DirectoryExists(const std::u16string& path) override;
    bool ForceDirectories(const std::u16string& path) override;
    std::u16string ExePath() override { return exePath; }
    std::u16string AppDataPath() override { return appDataPath; }
    std::vector<std::u16string> FindFiles(const std::u16string& dir,
                                          const std::u16string& mask) override;
    std::vector<std::u16string> FindDirectories(const std::u16string& dir) override;
    std::optional<std::vector<uint8_t>> ReadFile(const std::u16string& path) override;
};

class FakeAutostart : public Autostart {
public:
    std::map<std::u16string, std::u16string> entries;
    bool failing = false;  // every operation raises
    int writes = 0, removes = 0;
    std::optional<std::u16string> Read(const std::u16string& name) override;
    void Write(const std::u16string& name, const std::u16string& exePath) override;
    void Remove(const std::u16string& name) override;
};

class FakeShell : public Shell {
public:
    struct Call {
        std::u16string target;
        int showCmd;
    };
    std::vector<Call> calls;
    bool succeed = true;
    bool ShellExecute(const std::u16string& fileOrUrl, int showCmd) override {
        calls.push_back({fileOrUrl, showCmd});
        return succeed;
    }
};

class FakeIdleTime : public IdleTime {
public:
    uint32_t lastInput = 0;
    std::function<uint32_t()> read;  // in place of lastInput: a source that looks at the clock
    uint32_t LastInputTick() override { return read ? read() : lastInput; }
};

class FakeMonitorPower : public MonitorPower {
public:
    std::vector<bool> calls;  // true = on
    void SetMonitorPower(bool on) override { calls.push_back(on); }
};

class FakeAudio : public Audio {
public:
    struct Call {
        std::string op;  // "init", "create", "play", "stop"
        std::u16string path;
        uint32_t handle, flags;
    };
    std::vector<Call> calls;
    bool initSucceeds = true;
    std::set<std::u16string> unplayable;  // files whose stream cannot be created
    std::set<uint32_t> playing;
    bool Init(int device, uint32_t freq, uint32_t flags) override;
    uint32_t StreamCreateFile(const std::u16string& path, uint64_t offset, uint64_t length,
                              uint32_t flags) override;
    bool ChannelPlay(uint32_t handle, bool restart) override;
    bool ChannelStop(uint32_t handle) override;

private:
    uint32_t FNext = 0;
};

// The classic Windows colour table.
class FakeSystemColors : public SystemColors {
public:
    FakeSystemColors();
    std::array<uint32_t, 31> table;
    uint32_t GetSysColor(int index) override {
        return index >= 0 && index < 31 ? table[std::size_t(index)] : 0;
    }
};

class FakeScreen : public Screen {
public:
    int ppi = 96;
    Point cursor{1200, 790};
    uint32_t doubleClickTime = 500;
    uint32_t shift = 0;
    int PixelsPerInch() override { return ppi; }
    Point CursorPos() override { return cursor; }
    uint32_t DoubleClickTime() override { return doubleClickTime; }
    uint32_t ShiftState() override { return shift; }
};

// Resources set by the test; others come from the resources linked into the test binary.
class FakeResources : public Resources {
public:
    std::map<std::string, std::optional<std::vector<uint8_t>>> overrides;  // upper-case names
    std::optional<std::vector<uint8_t>> FindResource(const std::string& name) override;
};

class FakeVersion : public Version {
public:
    std::optional<std::array<uint16_t, 4>> version = std::array<uint16_t, 4>{3, 6, 5, 0};
    std::optional<std::array<uint16_t, 4>> FileVersion() override { return version; }
};

// Named locks within one process: enough for single-instance and settings-file tests.
class FakeNamedLocks : public NamedLocks {
public:
    std::map<std::u16string, int> openCount;
    std::map<std::u16string, int> heldDepth;  // levels currently held, by name
    std::set<std::u16string> unavailable;  // names that cannot be had
    int waits = 0;
    std::unique_ptr<NamedLock> Create(const std::u16string& name, bool* alreadyExisted) override;
};

}  // namespace platform::fake
