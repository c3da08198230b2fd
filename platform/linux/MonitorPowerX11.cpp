// Switching the display off and on: DPMS on X11; on Wayland (or X11 without DPMS) the
// desktop's own power-saving interface where there is one; silently nothing otherwise.
#include <X11/Xlib.h>
#include <X11/extensions/dpms.h>

#include <memory>

#include "platform/linux/DesktopBus.h"
#include "platform/linux/Services.h"

namespace platform::linux_ {
namespace {

struct DisplayCloser {
    void operator()(Display* d) const { XCloseDisplay(d); }
};

int ignoreXError(Display*, XErrorEvent*) { return 0; }

// A refused request must not reach Xlib's default handler, which ends the program.
class XErrorsIgnored {
public:
    explicit XErrorsIgnored(Display* d) : FDisplay(d), FOld(XSetErrorHandler(ignoreXError)) {}
    ~XErrorsIgnored() {
        XSync(FDisplay, False);
        XSetErrorHandler(FOld);
    }

private:
    Display* FDisplay;
    int (*FOld)(Display*, XErrorEvent*);
};

class DesktopMonitorPower final : public MonitorPower {
public:
    void SetMonitorPower(bool on) override {
        if (!waylandSession() && dpms(on)) return;
        desktop(on);
    }

private:
    bool dpms(bool on) {
        std::unique_ptr<Display, DisplayCloser> dpy(XOpenDisplay(nullptr));
        if (!dpy) return false;
        int event = 0, error = 0;
        if (!DPMSQueryExtension(dpy.get(), &event, &error) || !DPMSCapable(dpy.get()))
            return false;
        XErrorsIgnored guard(dpy.get());
        CARD16 level = 0;
        BOOL enabled = False;
        DPMSInfo(dpy.get(), &level, &enabled);
        if (!on) {
            // Forcing a level needs DPMS enabled; the user's choice is put back on "on".
            if (!enabled) {
                DPMSEnable(dpy.get());
                FEnabledByUs = true;
            }
            DPMSForceLevel(dpy.get(), DPMSModeOff);
        } else {
            if (enabled) DPMSForceLevel(dpy.get(), DPMSModeOn);
            if (FEnabledByUs) {
                DPMSDisable(dpy.get());
                FEnabledByUs = false;
            }
            XForceScreenSaver(dpy.get(), ScreenSaverReset);
        }
        return true;
    }

    static void desktop(bool on) {
        // GNOME (Mutter): 0 on, 3 off.
        if (setIntProperty("org.gnome.Mutter.DisplayConfig", "/org/gnome/Mutter/DisplayConfig",
                           "org.gnome.Mutter.DisplayConfig", "PowerSaveMode", on ? 0 : 3))
            return;
        if (!on) {
            // KDE Plasma: its power manager's own "Turn Off Screen" action.
            callWithString("org.kde.kglobalaccel", "/component/org_kde_powerdevil",
                           "org.kde.kglobalaccel.Component", "invokeShortcut", "Turn Off Screen");
        } else {
            // Input wakes a display that the desktop switched off.
            callWithString("org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver",
                           "org.freedesktop.ScreenSaver", "SimulateUserActivity", nullptr);
        }
    }

    bool FEnabledByUs = false;
};

}  // namespace

std::unique_ptr<MonitorPower> makeMonitorPower() { return std::make_unique<DesktopMonitorPower>(); }

}  // namespace platform::linux_
