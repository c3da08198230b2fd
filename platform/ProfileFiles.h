#pragma once
// INI files in the Windows profile-file format, read and written one key at a time. Nothing
// is cached: every call reads or replaces the file. Null pointers stand for absent arguments.
#include <cstdint>
#include <string>

namespace platform {

// Last-error codes the callers tell apart.
constexpr uint32_t ERROR_FILE_NOT_FOUND = 2;
constexpr uint32_t ERROR_PATH_NOT_FOUND = 3;
constexpr uint32_t ERROR_ACCESS_DENIED = 5;
constexpr uint32_t ERROR_SHARING_VIOLATION = 32;
constexpr uint32_t ERROR_INVALID_PARAMETER = 87;
constexpr uint32_t ERROR_BUFFER_OVERFLOW = 111;  // file name too long
constexpr uint32_t ERROR_DISK_FULL = 112;
constexpr uint32_t ERROR_INVALID_NAME = 123;

class ProfileFiles {
public:
    virtual ~ProfileFiles() = default;
    // section and key given: the value (blanks trimmed, one pair of matching outer quotes
    // removed), or `def` when absent, cut to size - 1. key null: the section's key names,
    // section null: all section names, each NUL-terminated plus a final NUL; a list that does
    // not fit is cut and gives size - 2. Returns the characters placed, final NUL excluded.
    virtual uint32_t GetPrivateProfileString(const char16_t* section, const char16_t* key,
                                             const char16_t* def, char16_t* buffer,
                                             uint32_t size, const std::u16string& fileName) = 0;
    // All given: sets the key (creating section and file). value null: removes the key.
    // key null: removes the section. All null: flush. False on failure, see GetLastError.
    virtual bool WritePrivateProfileString(const char16_t* section, const char16_t* key,
                                           const char16_t* value,
                                           const std::u16string& fileName) = 0;
    // The calling thread's code of the last failed write.
    virtual uint32_t GetLastError() = 0;
    // Readable text of a code, without a trailing line break.
    virtual std::u16string FormatMessage(uint32_t code) = 0;
};

}  // namespace platform
