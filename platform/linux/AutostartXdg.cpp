// The autostart entry as a freedesktop desktop entry in $XDG_CONFIG_HOME/autostart/.
#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include "platform/linux/DesktopEntry.h"
#include "platform/linux/PosixPaths.h"
#include "platform/linux/Services.h"
#include "ui/Exceptions.h"
#include "ui/Text.h"

namespace platform::linux_ {
namespace {

// A desktop entry is a few hundred bytes; anything far larger is not ours.
constexpr size_t kMaxEntryBytes = 64 * 1024;

[[noreturn]] void fail(const char* what, const std::string& path, int err) {
    throw ui::Exception(ui::FromUtf8(std::string(what) + " " + path + ": " + strerror(err)));
}

// The entry's file name: the key itself where it is a harmless name, so "QV Tovra" gives
// "QV Tovra.desktop".
std::string entryFileName(const std::u16string& name) {
    std::string n = toNative(name), r;
    for (unsigned char c : n) r += (c < 0x20 || c == '/' || c == '\\' || c == 0x7F) ? '_' : char(c);
    if (r.empty() || r[0] == '.') r.insert(r.begin(), '_');
    return r + ".desktop";
}

std::string autostartDir() {
    std::string base = configHome();
    if (base.empty()) throw ui::Exception(u"No configuration folder (HOME is not set)");
    return base + "/autostart";
}

bool writeAll(int fd, const std::string& s) {
    size_t done = 0;
    while (done < s.size()) {
        ssize_t n = write(fd, s.data() + done, s.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += size_t(n);
    }
    return true;
}

class XdgAutostart final : public Autostart {
public:
    std::optional<std::u16string> Read(const std::u16string& name) override {
        std::string path = autostartDir() + "/" + entryFileName(name);
        Fd fd(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
        if (!fd) {
            if (errno == ENOENT || errno == ENOTDIR) return std::nullopt;
            fail("Cannot open", path, errno);
        }
        struct stat st{};
        if (fstat(fd.get(), &st) != 0) fail("Cannot read", path, errno);
        if (!S_ISREG(st.st_mode) || size_t(st.st_size) > kMaxEntryBytes)
            throw ui::Exception(ui::FromUtf8("Not an autostart entry: " + path));
        std::string text(size_t(st.st_size), '\0');
        size_t got = 0;
        while (got < text.size()) {
            ssize_t n = read(fd.get(), text.data() + got, text.size() - got);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) fail("Cannot read", path, errno);
            if (n == 0) break;
            got += size_t(n);
        }
        text.resize(got);

        // Hidden=true is how the autostart rules delete an entry; GNOME disables with its own key.
        if (desktopEntryValue(text, "Hidden") == "true") return std::nullopt;
        if (desktopEntryValue(text, "X-GNOME-Autostart-enabled") == "false") return std::nullopt;
        auto exec = desktopEntryValue(text, "Exec");
        if (!exec) return std::nullopt;
        auto args = splitExec(*exec);
        if (!args || args->empty()) return std::nullopt;
        return ui::FromUtf8(args->front());
    }

    void Write(const std::u16string& name, const std::u16string& exePath) override {
        std::string dir = autostartDir();
        if (!makeDirectories(dir)) fail("Cannot create", dir, errno ? errno : EACCES);
        std::string file = entryFileName(name);
        std::string text = "[Desktop Entry]\nType=Application\nName=" +
                           escapeDesktopValue(toNative(name)) + "\nExec=" +
                           escapeDesktopValue(quoteExecArg(toNative(exePath))) +
                           "\nIcon=qv-tovra\nTerminal=false\nX-GNOME-Autostart-enabled=true\n";

        Fd dfd(open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!dfd) fail("Cannot open", dir, errno);
        // A fresh file under a name nobody else can have claimed (O_EXCL never follows a
        // link), then renamed over the entry: whatever sat at the entry's name, a planted
        // symbolic link included, is replaced rather than written through.
        std::string tmp;
        Fd fd;
        for (int attempt = 0; attempt < 100 && !fd; ++attempt) {
            timespec ts{};
            clock_gettime(CLOCK_MONOTONIC, &ts);
            tmp = "." + file + "." + std::to_string(getpid()) + "." +
                  std::to_string(ts.tv_nsec + attempt);
            fd = Fd(openat(dfd.get(), tmp.c_str(),
                           O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
            if (!fd && errno != EEXIST) fail("Cannot create", dir + "/" + tmp, errno);
        }
        if (!fd) fail("Cannot create", dir + "/" + tmp, EEXIST);
        if (!writeAll(fd.get(), text) || fsync(fd.get()) != 0 || close(fd.release()) != 0) {
            int err = errno;
            unlinkat(dfd.get(), tmp.c_str(), 0);
            fail("Cannot write", dir + "/" + tmp, err);
        }
        if (renameat(dfd.get(), tmp.c_str(), dfd.get(), file.c_str()) != 0) {
            int err = errno;
            unlinkat(dfd.get(), tmp.c_str(), 0);
            fail("Cannot write", dir + "/" + file, err);
        }
        fsync(dfd.get());
    }

    void Remove(const std::u16string& name) override {
        std::string dir = autostartDir(), file = entryFileName(name);
        // unlink removes a symbolic link itself, never what it points to.
        if (unlink((dir + "/" + file).c_str()) != 0 && errno != ENOENT && errno != ENOTDIR)
            fail("Cannot delete", dir + "/" + file, errno);
    }
};

}  // namespace

std::unique_ptr<Autostart> makeAutostart() { return std::make_unique<XdgAutostart>(); }

}  // namespace platform::linux_
