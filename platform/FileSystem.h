#pragma once
// Folders and files. Paths are UTF-16 with '/' separators.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual bool FileExists(const std::u16string& path) = 0;
    virtual bool DirectoryExists(const std::u16string& path) = 0;
    // Creates the folder with all missing parents; true when it exists afterwards.
    virtual bool ForceDirectories(const std::u16string& path) = 0;
    // Full path of the running executable, symbolic links resolved.
    virtual std::u16string ExePath() = 0;
    // The user's per-user configuration folder, no trailing separator; empty when unknown.
    virtual std::u16string AppDataPath() = 0;
    // Names (not paths) of the files in `dir` matching the wildcard `mask` (* and ?).
    virtual std::vector<std::u16string> FindFiles(const std::u16string& dir,
                                                  const std::u16string& mask) = 0;
    // Names of the sub-folders of `dir`.
    virtual std::vector<std::u16string> FindDirectories(const std::u16string& dir) = 0;
    virtual std::optional<std::vector<uint8_t>> ReadFile(const std::u16string& path) = 0;
};

}  // namespace platform
