#pragma once
// Windows profile-file operations over INI files. Draft; the settings-file work owns it.
#include <cstdint>
#include <string>

namespace platform {

class ProfileFiles {
public:
    virtual ~ProfileFiles() = default;
};

}  // namespace platform
