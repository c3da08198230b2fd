#include "platform/fake/FakeSystem.h"

#include "resources/Embedded.h"
#include "ui/Exceptions.h"
#include "ui/Text.h"

namespace platform::fake {

static std::u16string parentOf(const std::u16string& p) {
    auto pos = p.find_last_of(u'/');
    return pos == std::u16string::npos || pos == 0 ? std::u16string() : p.substr(0, pos);
}

static std::u16string stripSlash(std::u16string p) {
    while (p.size() > 1 && p.back() == u'/') p.pop_back();
    return p;
}

void FakeFileSystem::addFile(const std::u16string& path, const std::string& content) {
    files[path] = std::vector<uint8_t>(content.begin(), content.end());
    for (auto d = parentOf(path); !d.empty(); d = parentOf(d)) dirs.insert(d);
}

bool FakeFileSystem::DirectoryExists(const std::u16string& path) {
    return dirs.count(stripSlash(path)) != 0;
}

bool FakeFileSystem::ForceDirectories(const std::u16string& path) {
    std::u16string p = stripSlash(path);
    if (p.empty()) return false;
    if (dirs.count(p)) return true;
    for (auto d = p; !d.empty(); d = parentOf(d))
        if (unwritable.count(d)) return false;
    for (auto d = p; !d.empty(); d = parentOf(d)) dirs.insert(d);
    return true;
}

std::vector<std::u16string> FakeFileSystem::FindFiles(const std::u16string& dir,
                                                      const std::u16string& mask) {
    std::vector<std::u16string> r;
    std::u16string d = stripSlash(dir);
    for (const auto& [path, _] : files)
        if (parentOf(path) == d) {
            std::u16string name = path.substr(d.size() + 1);
            if (ui::MatchesMask(mask, name)) r.push_back(name);
        }
    return r;
}

std::vector<std::u16string> FakeFileSystem::FindDirectories(const std::u16string& dir) {
    std::vector<std::u16string> r;
    std::u16string d = stripSlash(dir);
    for (const auto& p : dirs)
        if (parentOf(p) == d) r.push_back(p.substr(d.size() + 1));
    return r;
}

std::optional<std::vector<uint8_t>> FakeFileSystem::ReadFile(const std::u16string& path) {
    auto it = files.find(path);
    if (it == files.end()) return std::nullopt;
    return it->second;
}

std::optional<std::u16string> FakeAutostart::Read(const std::u16string& name) {
    if (failing) throw ui::Exception(u"autostart unavailable");
    auto it = entries.find(name);
    if (it == entries.end()) return std::nullopt;
    return it->second;
}

void FakeAutostart::Write(const std::u16string& name, const std::u16string& exePath) {
    if (failing) throw ui::Exception(u"autostart unavailable");
    ++writes;
    entries[name] = exePath;
}

void FakeAutostart::Remove(const std::u16string& name) {
    if (failing) throw ui::Exception(u"autostart unavailable");
    ++removes;
    entries.erase(name);
}

bool FakeAudio::Init(int device, uint32_t freq, uint32_t flags) {
    calls.push_back({"init", u"", uint32_t(device), flags | 0 * freq});
    return initSucceeds;
}

uint32_t FakeAudio::StreamCreateFile(const std::u16string& path, uint64_t, uint64_t,
                                     uint32_t flags) {
    uint32_t h = unplayable.count(path) ? 0 : ++FNext;
    calls.push_back({"create", path, h, flags});
    return h;
}

bool FakeAudio::ChannelPlay(uint32_t handle, bool) {
    calls.push_back({"play", u"", handle, 0});
    if (handle == 0) return false;
    playing.insert(handle);
    return true;
}

bool FakeAudio::ChannelStop(uint32_t handle) {
    calls.push_back({"stop", u"", handle, 0});
    return playing.erase(handle) != 0;
}

FakeSystemColors::FakeSystemColors()
    : table{0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
            0x000000, 0x000000, 0xB4B4B4, 0xFCF7F4, 0xABABAB, 0xFF9933, 0xFFFFFF, 0xF0F0F0,
            0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
            0xE1FFFF, 0x000000, 0xCC6600, 0xEAD1B9, 0xF2E4D7, 0xFF9933, 0xF0F0F0} {}

std::optional<std::vector<uint8_t>> FakeResources::FindResource(const std::string& name) {
    std::string up = ui::ToUtf8(ui::UpperAscii(ui::FromUtf8(name)));
    auto it = overrides.find(up);
    if (it != overrides.end()) return it->second;
    if (const tovra::res::Blob* b = tovra::res::find(name))
        return std::vector<uint8_t>(b->data, b->data + b->size);
    return std::nullopt;
}

namespace {
class FakeLock : public NamedLock {
public:
    FakeLock(FakeNamedLocks& owner, std::u16string name) : FOwner(owner), FName(std::move(name)) {}
    ~FakeLock() override {
        while (FDepth > 0) Release();
        if (--FOwner.openCount[FName] == 0) FOwner.openCount.erase(FName);
    }
    bool Wait(uint32_t) override {
        ++FDepth;
        ++FOwner.waits;
        ++FOwner.heldDepth[FName];
        return true;
    }
    void Release() override {
        if (FDepth > 0) {
            --FDepth;
            if (--FOwner.heldDepth[FName] == 0) FOwner.heldDepth.erase(FName);
        }
    }

private:
    FakeNamedLocks& FOwner;
    std::u16string FName;
    int FDepth = 0;
};
}  // namespace

std::unique_ptr<NamedLock> FakeNamedLocks::Create(const std::u16string& name,
                                                  bool* alreadyExisted) {
    if (unavailable.count(name)) return nullptr;
    int& n = openCount[name];
    if (alreadyExisted) *alreadyExisted = n > 0;
    ++n;
    return std::make_unique<FakeLock>(*this, name);
}

}  // namespace platform::fake
