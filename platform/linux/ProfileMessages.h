#pragma once
// Texts of the last-error codes the profile-file services report.
#include <cstdint>
#include <string>

namespace platform::profile {

constexpr uint32_t ERROR_WRITE_PROTECT = 19;
constexpr uint32_t ERROR_TOO_MANY_OPEN_FILES = 4;
constexpr uint32_t ERROR_IO_DEVICE = 1117;
constexpr uint32_t ERROR_CANT_RESOLVE_FILENAME = 1921;

// The readable text of a code, without a line break; "System error N." for unknown codes.
std::u16string ErrorMessage(uint32_t code);

}  // namespace platform::profile
