// Files and folders on a POSIX system; names travel as UTF-8.
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <memory>

#include "platform/linux/PosixPaths.h"
#include "ui/Text.h"
#include "platform/linux/Services.h"

namespace platform::linux_ {
namespace {

enum class Kind { Other, File, Dir };

Kind kindOf(const std::string& path) {
    struct stat st{};
    if (path.empty() || stat(path.c_str(), &st) != 0) return Kind::Other;
    if (S_ISDIR(st.st_mode)) return Kind::Dir;
    return S_ISREG(st.st_mode) ? Kind::File : Kind::Other;
}

struct DirCloser {
    void operator()(DIR* d) const { closedir(d); }
};

// Entries of `dir` of one kind (symbolic links judged by what they point to), sorted so
// that every caller sees the same order.
std::vector<std::u16string> listEntries(const std::u16string& dir, Kind want,
                                        const std::u16string* mask) {
    std::vector<std::u16string> r;
    std::string base = toNative(dir);
    if (base.empty()) return r;
    std::unique_ptr<DIR, DirCloser> d(opendir(base.c_str()));
    if (!d) return r;
    if (base.back() != '/') base += '/';
    while (dirent* e = readdir(d.get())) {
        std::string_view n = e->d_name;
        if (n == "." || n == "..") continue;
        auto name = fromNative(n);
        if (!name) continue;  // not UTF-8: the program could never open it again by name
        if (mask && !ui::MatchesMask(*mask, *name)) continue;
        if (kindOf(base + e->d_name) != want) continue;
        r.push_back(std::move(*name));
    }
    std::sort(r.begin(), r.end());
    return r;
}

class PosixFileSystem final : public FileSystem {
public:
    bool FileExists(const std::u16string& path) override {
        return kindOf(toNative(path)) == Kind::File;
    }
    bool DirectoryExists(const std::u16string& path) override {
        return kindOf(toNative(path)) == Kind::Dir;
    }
    bool ForceDirectories(const std::u16string& path) override {
        return makeDirectories(toNative(path));
    }

    std::u16string ExePath() override {
        char buf[PATH_MAX];
        // realpath also resolves links in the folders above the executable.
        if (realpath("/proc/self/exe", buf)) return fromNative(buf).value_or(std::u16string());
        // An executable replaced while running: the kernel still knows where it was.
        ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
        if (n <= 0) return {};
        std::string p(buf, size_t(n));
        constexpr std::string_view deleted = " (deleted)";
        if (p.size() > deleted.size() && p.compare(p.size() - deleted.size(), deleted.size(), deleted) == 0)
            p.resize(p.size() - deleted.size());
        return fromNative(p).value_or(std::u16string());
    }

    std::u16string AppDataPath() override {
        return fromNative(configHome()).value_or(std::u16string());
    }

    std::vector<std::u16string> FindFiles(const std::u16string& dir,
                                          const std::u16string& mask) override {
        return listEntries(dir, Kind::File, &mask);
    }
    std::vector<std::u16string> FindDirectories(const std::u16string& dir) override {
        return listEntries(dir, Kind::Dir, nullptr);
    }

    std::optional<std::vector<uint8_t>> ReadFile(const std::u16string& path) override {
        // O_NONBLOCK: a FIFO planted under the name must not hang the GUI thread.
        Fd fd(open(toNative(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
        struct stat st{};
        if (!fd || fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
        std::vector<uint8_t> data;
        data.reserve(size_t(st.st_size));
        uint8_t buf[65536];
        for (;;) {
            ssize_t n = read(fd.get(), buf, sizeof buf);
            if (n < 0) {
                if (errno == EINTR) continue;
                return std::nullopt;
            }
            if (n == 0) break;
            data.insert(data.end(), buf, buf + n);
        }
        return data;
    }
};

}  // namespace

std::unique_ptr<FileSystem> makeFileSystem() { return std::make_unique<PosixFileSystem>(); }

}  // namespace platform::linux_
