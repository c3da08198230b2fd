// Placeholder until the real service lands: does nothing, reports failure where it can.
#include "platform/linux/Services.h"

namespace platform::linux_ {
namespace {
class StubFs final : public FileSystem {
public:
    bool FileExists(const std::u16string&) override { return false; }
    bool DirectoryExists(const std::u16string&) override { return false; }
    bool ForceDirectories(const std::u16string&) override { return false; }
    std::u16string ExePath() override { return {}; }
    std::u16string AppDataPath() override { return {}; }
    std::vector<std::u16string> FindFiles(const std::u16string&, const std::u16string&) override { return {}; }
    std::vector<std::u16string> FindDirectories(const std::u16string&) override { return {}; }
    std::optional<std::vector<uint8_t>> ReadFile(const std::u16string&) override { return std::nullopt; }
};
}  // namespace

std::unique_ptr<FileSystem> makeFileSystem() { return std::make_unique<StubFs>(); }

}  // namespace platform::linux_
