#pragma once
// Opening a file, a web address or a mailto: link with its associated program.
#include <string>

namespace platform {

constexpr int SW_SHOWNORMAL = 1, SW_SHOWMAXIMIZED = 3, SW_RESTORE = 9;

class Shell {
public:
    virtual ~Shell() = default;
    // Does not wait for the program; false when nothing could be started. Never uses a shell.
    virtual bool ShellExecute(const std::u16string& fileOrUrl, int showCmd) = 0;
};

}  // namespace platform
