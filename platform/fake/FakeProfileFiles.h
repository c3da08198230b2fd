#pragma once
// Profile files held in memory, on the same text engine as the real ones, with injectable
// write failures.
#include <functional>
#include <map>
#include <set>
#include <string>

#include "platform/ProfileFiles.h"

namespace platform::fake {

class FakeProfileFiles : public ProfileFiles {
public:
    std::map<std::u16string, std::string> files;  // UTF-8 bytes by path
    std::set<std::u16string> missingFolders;      // writes below them fail with code 3
    // Asked before every write that would change a file; a nonzero code fails it.
    std::function<uint32_t(const char16_t* section, const char16_t* key, const char16_t* value)>
        writeFault;
    int reads = 0, writes = 0, flushes = 0;  // calls

    void setText(const std::u16string& path, const std::string& utf8) { files[path] = utf8; }
    std::string text(const std::u16string& path) const;

    uint32_t GetPrivateProfileString(const char16_t* section, const char16_t* key,
                                     const char16_t* def, char16_t* buffer, uint32_t size,
                                     const std::u16string& fileName) override;
    bool WritePrivateProfileString(const char16_t* section, const char16_t* key,
                                   const char16_t* value, const std::u16string& fileName) override;
    uint32_t GetLastError() override { return FLastError; }
    std::u16string FormatMessage(uint32_t code) override;

private:
    uint32_t FLastError = 0;
};

}  // namespace platform::fake
