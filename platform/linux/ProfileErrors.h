#pragma once
// Last-error codes of the file services, in the numbering callers test, and their texts.
#include <cstdint>
#include <string>

namespace platform::linux_ {

// errno to the matching code (path not found 3, name too long 111, disk full 112, invalid name
// 123, ...); an errno without one becomes 0x20000000 + errno.
uint32_t ErrnoToError(int err);
std::u16string ErrorText(uint32_t code);

}  // namespace platform::linux_
