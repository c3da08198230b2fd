#include "platform/fake/FakeProfileFiles.h"

#include "platform/linux/ProfileMessages.h"
#include "platform/linux/ProfileText.h"

namespace platform::fake {

std::string FakeProfileFiles::text(const std::u16string& path) const {
    auto it = files.find(path);
    return it == files.end() ? std::string() : it->second;
}

uint32_t FakeProfileFiles::GetPrivateProfileString(const char16_t* section, const char16_t* key,
                                                   const char16_t* def, char16_t* buffer,
                                                   uint32_t size, const std::u16string& fileName) {
    ++reads;
    auto it = files.find(fileName);
    return profile::GetString(it == files.end() ? nullptr : &it->second, section, key, def,
                              buffer, size);
}

bool FakeProfileFiles::WritePrivateProfileString(const char16_t* section, const char16_t* key,
                                                 const char16_t* value,
                                                 const std::u16string& fileName) {
    if (!section && !key && !value) {
        ++flushes;
        return true;
    }
    ++writes;
    if (uint32_t e = profile::CheckWrite(section, key, value)) {
        FLastError = e;
        return false;
    }
    for (const auto& folder : missingFolders)
        if (fileName.rfind(folder + u"/", 0) == 0) {
            FLastError = ERROR_PATH_NOT_FOUND;
            return false;
        }
    if (writeFault)
        if (uint32_t e = writeFault(section, key, value)) {
            FLastError = e;
            return false;
        }
    auto it = files.find(fileName);
    std::string data = it == files.end() ? std::string() : it->second;
    if (profile::PutString(data, section, key, value)) files[fileName] = std::move(data);
    FLastError = 0;
    return true;
}

std::u16string FakeProfileFiles::FormatMessage(uint32_t code) {
    return profile::ErrorMessage(code);
}

}  // namespace platform::fake
