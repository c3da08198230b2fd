#include "platform/linux/LockPaths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "ui/Text.h"

namespace platform::linux_ {
namespace {

constexpr const char* kSharedDir = "/tmp/.tovra-locks";
constexpr std::size_t kMaxName = 200;  // bytes; file names may hold 255

bool isGlobal(const std::u16string& name) {
    return name.size() >= 7 && ui::SameTextAscii(std::u16string_view(name).substr(0, 7), u"Global\\");
}
bool isLocal(const std::u16string& name) {
    return name.size() >= 6 && ui::SameTextAscii(std::u16string_view(name).substr(0, 6), u"Local\\");
}

// A folder we may keep lock files in: a real directory (no link), created with `mode` when
// missing. `mine`: it must belong to this user.
bool usableDir(const std::string& dir, mode_t mode, bool mine) {
    if (::mkdir(dir.c_str(), mode) == 0) {
        ::chmod(dir.c_str(), mode);  // past the umask: the shared folder must be open to all
    } else if (errno != EEXIST) {
        return false;
    }
    struct stat st;
    if (::lstat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
    if (mine && (st.st_uid != ::geteuid() || (st.st_mode & 077) != 0)) return false;
    return true;
}

uint64_t fnv1a(const std::string& s) {
    uint64_t h = 0xcbf29ce484222325ull;
    for (unsigned char c : s) {
        h ^= c;
        h *= 0x100000001b3ull;
    }
    return h;
}

}  // namespace

std::string LockFileName(const std::u16string& name) {
    std::string utf8 = ui::ToUtf8(name), out;
    for (char c : utf8) {
        if (c == '/' || c == '%' || c == '\0') {
            char esc[4];
            std::snprintf(esc, sizeof esc, "%%%02X", static_cast<unsigned char>(c));
            out += esc;
        } else {
            out += c;
        }
    }
    if (out.empty() || out[0] == '.') out.insert(0, "%");
    if (out.size() > kMaxName) {
        std::size_t cut = 120;
        while (cut > 0 && (static_cast<unsigned char>(out[cut]) & 0xC0) == 0x80) --cut;
        char hash[20];
        std::snprintf(hash, sizeof hash, "~%016llx", static_cast<unsigned long long>(fnv1a(utf8)));
        out = out.substr(0, cut) + hash;
    }
    return out + ".lock";
}

std::string LockFilePath(const std::u16string& name) {
    if (isGlobal(name)) {
        if (!usableDir(kSharedDir, 01777, false)) return {};
        return std::string(kSharedDir) + "/" + LockFileName(name.substr(7));
    }
    std::u16string rest = isLocal(name) ? name.substr(6) : name;
    std::string dir;
    const char* rt = std::getenv("XDG_RUNTIME_DIR");
    if (rt && rt[0] == '/' && usableDir(std::string(rt) + "/tovra-locks", 0700, true))
        dir = std::string(rt) + "/tovra-locks";
    else if (usableDir("/tmp/tovra-locks-" + std::to_string(::geteuid()), 0700, true))
        dir = "/tmp/tovra-locks-" + std::to_string(::geteuid());
    else
        return {};
    return dir + "/" + LockFileName(rest);
}

int OpenLockFile(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) return -1;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    // Other users open the shared lock files too; the creator opens them past its umask.
    if (st.st_uid == ::geteuid() && path.rfind(kSharedDir, 0) == 0 && (st.st_mode & 0666) != 0666)
        ::fchmod(fd, 0666);
    return fd;
}

}  // namespace platform::linux_
