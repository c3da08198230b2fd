#pragma once
// Helpers shared by the POSIX services: path text conversion, the configuration folder,
// wildcard matching and file descriptors that close themselves.
#include <optional>
#include <string>
#include <string_view>

namespace platform::linux_ {

// File names on Linux are bytes; the program's text is UTF-16. UTF-8 bridges the two.
std::string toNative(std::u16string_view path);
// nullopt when the bytes are not valid UTF-8, so such a name could not be reached again.
std::optional<std::u16string> fromNative(std::string_view path);

// $XDG_CONFIG_HOME when set to an absolute path, else $HOME/.config; no trailing '/';
// empty when neither is known.
std::string configHome();

// Creates `path` and its missing parents with mode 0700; true when it is a folder afterwards.
bool makeDirectories(const std::string& path);

class Fd {
public:
    explicit Fd(int fd = -1) : FFd(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    Fd(Fd&& o) noexcept : FFd(o.release()) {}
    Fd& operator=(Fd&& o) noexcept {
        if (this != &o) {
            Fd old(FFd);
            FFd = o.release();
        }
        return *this;
    }
    ~Fd();
    int get() const { return FFd; }
    explicit operator bool() const { return FFd >= 0; }
    int release() {
        int f = FFd;
        FFd = -1;
        return f;
    }

private:
    int FFd;
};

}  // namespace platform::linux_
