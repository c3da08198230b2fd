// Profile files on a POSIX file system. Every write replaces the file atomically: the new text
// goes to a temporary file in the same folder, is flushed to disk and renamed over the old
// one, so a crash, a kill or a full disk at any moment leaves the old file or the new one.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <cstdio>
#include <optional>

#include "platform/linux/ProfileErrors.h"
#include "platform/linux/ProfileText.h"
#include "platform/linux/Services.h"
#include "ui/Text.h"

namespace platform::linux_ {
namespace {

thread_local uint32_t tLastError = 0;

// Whole file, or nothing with errno set.
std::optional<std::string> readAll(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string data;
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            int e = errno;
            ::close(fd);
            errno = e;
            return std::nullopt;
        }
        if (n == 0) break;
        data.append(buf, std::size_t(n));
    }
    ::close(fd);
    return data;
}

bool writeAll(int fd, const std::string& data) {
    std::size_t done = 0;
    while (done < data.size()) {
        ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += std::size_t(n);
    }
    return true;
}

std::string tempName(const std::string& dir, const std::string& base) {
    static std::atomic<uint64_t> counter{0};
    uint64_t x = uint64_t(::getpid()) * 0x9E3779B97F4A7C15ull ^
                 uint64_t(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                 (++counter << 40);
    char suffix[48];
    // The writer's process id comes first, so a later writer can tell a dead writer's leftover.
    std::snprintf(suffix, sizeof suffix, "%d-%012llx", int(::getpid()),
                  static_cast<unsigned long long>(x & 0xFFFFFFFFFFFFull));
    return dir + "/." + base + ".tmp-" + suffix;
}

// A writer killed between naming its new text and the rename leaves it under a temporary name;
// the next writer removes those whose process is gone.
void removeStaleTemps(const std::string& dir, const std::string& base) {
    const std::string prefix = "." + base + ".tmp-";
    DIR* d = ::opendir(dir.c_str());
    if (!d) return;
    while (dirent* e = ::readdir(d)) {
        const char* n = e->d_name;
        if (std::strncmp(n, prefix.c_str(), prefix.size()) != 0) continue;
        char* end = nullptr;
        long pid = std::strtol(n + prefix.size(), &end, 10);
        if (pid <= 0 || pid > INT_MAX || !end || *end != '-') continue;
        if (::kill(pid_t(pid), 0) == 0 || errno != ESRCH) continue;
        ::unlinkat(::dirfd(d), n, 0);
    }
    ::closedir(d);
}

// Gives an unnamed temporary file (O_TMPFILE) a name in `dir`; false with errno set.
bool nameTemp(int fd, const std::string& dir, const std::string& base, std::string& tmp) {
    char proc[64];
    std::snprintf(proc, sizeof proc, "/proc/self/fd/%d", fd);
    for (int attempt = 0; attempt < 16; ++attempt) {
        tmp = tempName(dir, base);
        if (::linkat(AT_FDCWD, proc, AT_FDCWD, tmp.c_str(), AT_SYMLINK_FOLLOW) == 0) return true;
        if (errno != EEXIST) return false;
    }
    return false;
}

// Replaces `path` by `data`; false with errno set. `anonymous`: the new text is written to an
// unnamed file that gets its name only just before the rename, so a writer killed meanwhile
// leaves nothing behind.
bool replaceFile(const std::string& path, const std::string& data, const struct stat* old,
                 bool anonymous = true) {
    std::size_t slash = path.rfind('/');
    std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    const mode_t mode = old ? (old->st_mode & 07777) : 0666;
    removeStaleTemps(dir, base);
    std::string tmp;
    int fd = -1;
    if (anonymous) {
        fd = ::open(dir.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
        // Folders on file systems without unnamed files take the named route.
        if (fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL))
            return replaceFile(path, data, old, false);
        if (fd < 0) return false;
    } else {
        for (int attempt = 0; fd < 0 && attempt < 16; ++attempt) {
            tmp = tempName(dir, base);
            fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
            if (fd < 0 && errno != EEXIST) return false;
        }
        if (fd < 0) return false;
    }
    bool ok = writeAll(fd, data);
    int e = errno;
    if (ok && old) {
        // The umask may have narrowed the mode; the file keeps its owner's choice.
        if (::fchmod(fd, old->st_mode & 07777) != 0) ok = false, e = errno;
        if (ok && (old->st_uid != ::geteuid() || old->st_gid != ::getegid()))
            (void)!::fchown(fd, old->st_uid, old->st_gid);
    }
    if (ok && ::fsync(fd) != 0) ok = false, e = errno;
    if (ok && anonymous && !nameTemp(fd, dir, base, tmp)) {
        // No /proc to name the file by: write it again the named way.
        ::close(fd);
        return replaceFile(path, data, old, false);
    }
    if (::close(fd) != 0 && ok) ok = false, e = errno;
    if (ok && ::rename(tmp.c_str(), path.c_str()) != 0) ok = false, e = errno;
    if (!ok) {
        if (!tmp.empty()) ::unlink(tmp.c_str());
        errno = e;
        return false;
    }
    // The rename itself must reach the disk before the write counts as done.
    int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}

class PosixProfileFiles final : public ProfileFiles {
public:
    uint32_t GetPrivateProfileString(const char16_t* section, const char16_t* key,
                                     const char16_t* def, char16_t* buffer, uint32_t size,
                                     const std::u16string& fileName) override {
        std::optional<std::string> data;
        if (!fileName.empty() && fileName.find(u'\0') == std::u16string::npos)
            data = readAll(ui::ToUtf8(fileName));
        return profile::GetString(data ? &*data : nullptr, section, key, def, buffer, size);
    }

    bool WritePrivateProfileString(const char16_t* section, const char16_t* key,
                                   const char16_t* value,
                                   const std::u16string& fileName) override {
        if (uint32_t e = profile::CheckWrite(section, key, value)) return fail(e);
        if (fileName.empty() || fileName.find(u'\0') != std::u16string::npos)
            return fail(ERROR_INVALID_NAME);
        if (!section) return true;  // flush: nothing is ever held back
        std::string path = ui::ToUtf8(fileName);
        if (!resolveLink(path)) return failErrno();
        struct stat st;
        bool exists = ::stat(path.c_str(), &st) == 0;
        if (!exists && errno != ENOENT) return failErrno();
        // Removing from a file that is not there is done, unless its folder is missing too.
        if (!exists && !folderExists(path)) return failErrno();
        if (exists && !S_ISREG(st.st_mode)) return fail(ERROR_ACCESS_DENIED);
        std::string data;
        if (exists) {
            auto d = readAll(path);
            if (!d) return failErrno();
            data = std::move(*d);
        }
        if (!profile::PutString(data, section, key, value)) return true;
        // A read-only settings file stays read-only, as it would for an in-place write.
        if (exists && ::access(path.c_str(), W_OK) != 0) return failErrno();
        if (!replaceFile(path, data, exists ? &st : nullptr)) return failErrno();
        tLastError = 0;
        return true;
    }

    uint32_t GetLastError() override { return tLastError; }
    std::u16string FormatMessage(uint32_t code) override { return ErrorText(code); }

private:
    static bool fail(uint32_t code) {
        tLastError = code;
        return false;
    }
    static bool failErrno() { return fail(ErrnoToError(errno)); }

    static bool folderExists(const std::string& path) {
        std::size_t slash = path.rfind('/');
        if (slash == std::string::npos) return true;
        struct stat st;
        if (::stat(slash == 0 ? "/" : path.substr(0, slash).c_str(), &st) != 0) return false;
        if (S_ISDIR(st.st_mode)) return true;
        errno = ENOTDIR;
        return false;
    }

    // A settings file that is a symbolic link is written through to its target, so the link
    // survives the replacement.
    static bool resolveLink(std::string& path) {
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
        char* real = ::realpath(path.c_str(), nullptr);
        if (!real) return false;
        path = real;
        std::free(real);
        return true;
    }
};

}  // namespace

std::unique_ptr<ProfileFiles> makeProfileFiles() { return std::make_unique<PosixProfileFiles>(); }

}  // namespace platform::linux_
