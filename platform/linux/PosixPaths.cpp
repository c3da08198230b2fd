#include "platform/linux/PosixPaths.h"

#include <errno.h>
#include <pwd.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "ui/Text.h"

namespace platform::linux_ {

std::string toNative(std::u16string_view path) { return ui::ToUtf8(path); }

std::optional<std::u16string> fromNative(std::string_view path) {
    std::u16string s = ui::FromUtf8(path);
    if (ui::ToUtf8(s) != path) return std::nullopt;
    return s;
}

static std::string stripTrailingSlashes(std::string s) {
    while (s.size() > 1 && s.back() == '/') s.pop_back();
    return s;
}

std::string configHome() {
    // A relative XDG_CONFIG_HOME is invalid and must be ignored.
    const char* xdg = getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/') return stripTrailingSlashes(xdg);
    std::string home;
    if (const char* h = getenv("HOME"); h && h[0] == '/') {
        home = h;
    } else {
        std::vector<char> buf(16384);
        passwd pw{}, *res = nullptr;
        if (getpwuid_r(getuid(), &pw, buf.data(), buf.size(), &res) == 0 && res &&
            res->pw_dir && res->pw_dir[0] == '/')
            home = res->pw_dir;
    }
    if (home.empty()) return {};
    home = stripTrailingSlashes(home);
    return (home == "/" ? std::string() : home) + "/.config";
}


static bool isDir(const std::string& p) {
    struct stat st{};
    return stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool makeDirectories(const std::string& path) {
    if (path.empty()) return false;
    std::string p = stripTrailingSlashes(path);
    if (isDir(p)) return true;
    // Walk down from the root, creating each missing level; 0700 because the folders hold
    // the user's own settings.
    size_t pos = 0;
    while (pos != std::string::npos) {
        pos = p.find('/', pos + 1);
        std::string part = p.substr(0, pos);
        if (part.empty() || isDir(part)) continue;
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    return isDir(p);
}

Fd::~Fd() {
    if (FFd >= 0) close(FFd);
}

}  // namespace platform::linux_
