// Time of the user's last input: the XScreenSaver extension on X11, the desktop's idle
// services on the session bus elsewhere; the user counts as active when nothing can tell,
// so the idle hold never stops a work period by mistake.
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

#include <algorithm>
#include <memory>

#include "platform/linux/DesktopBus.h"
#include "platform/linux/QtLoop.h"
#include "platform/linux/Services.h"

namespace platform::linux_ {
namespace {

// Idle times above this are reported as this: the difference from the 32-bit tick count
// must not wrap (2^31 ms is over 24 days, idle by any measure).
constexpr uint64_t kMaxIdleMs = 0x7FFFFFFF;

struct DisplayCloser {
    void operator()(Display* d) const { XCloseDisplay(d); }
};

std::optional<uint64_t> x11IdleMs() {
    // A connection per query (once a minute): a display that went away in between can
    // then only fail the open, never end the program through Xlib's I/O error exit.
    std::unique_ptr<Display, DisplayCloser> dpy(XOpenDisplay(nullptr));
    if (!dpy) return std::nullopt;
    int event = 0, error = 0;
    if (!XScreenSaverQueryExtension(dpy.get(), &event, &error)) return std::nullopt;
    XScreenSaverInfo* info = XScreenSaverAllocInfo();
    if (!info) return std::nullopt;
    std::optional<uint64_t> idle;
    if (XScreenSaverQueryInfo(dpy.get(), DefaultRootWindow(dpy.get()), info))
        idle = uint64_t(info->idle);
    XFree(info);
    return idle;
}

std::optional<uint64_t> desktopIdleMs() {
    // GNOME: milliseconds as a 64-bit value.
    if (auto ms = callUnsigned("org.gnome.Mutter.IdleMonitor", "/org/gnome/Mutter/IdleMonitor/Core",
                               "org.gnome.Mutter.IdleMonitor", "GetIdletime"))
        return ms;
    // KDE and others: milliseconds, under one of two object paths.
    for (const char* path : {"/org/freedesktop/ScreenSaver", "/ScreenSaver"})
        if (auto ms = callUnsigned("org.freedesktop.ScreenSaver", path,
                                   "org.freedesktop.ScreenSaver", "GetSessionIdleTime"))
            return ms;
    return std::nullopt;
}

class DesktopIdleTime final : public IdleTime {
public:
    uint32_t LastInputTick() override {
        uint32_t now = monotonicMs();
        std::optional<uint64_t> idle;
        // Under Wayland an X server sees only the input of X clients: not to be trusted.
        if (!waylandSession()) idle = x11IdleMs();
        if (!idle) idle = desktopIdleMs();
        if (!idle) return now;
        return now - uint32_t(std::min(*idle, kMaxIdleMs));
    }
};

}  // namespace

std::unique_ptr<IdleTime> makeIdleTime() { return std::make_unique<DesktopIdleTime>(); }

}  // namespace platform::linux_
