#pragma once
// Key and section lists from the profile-file operations; shared by the INI classes.
#include <cstdint>
#include <string>

#include "platform/Platform.h"
#include "ui/StringList.h"

namespace inifile::detail {

inline platform::ProfileFiles& profiles() { return platform::thePlatform().profileFiles(); }

// The names of a NUL-separated list of `n` characters, up to the empty name that ends it.
void FillList(const std::u16string& buf, uint32_t n, ui::TStrings& Strings);
// The whole list (keys of `section`, or all sections when it is null), asked with `size`
// characters first and four times as many while the answer fills the buffer to within two.
std::u16string ReadList(const char16_t* section, uint32_t size, const std::u16string& file,
                        uint32_t& n);

}  // namespace inifile::detail
