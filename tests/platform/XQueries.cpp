#include "tests/platform/XQueries.h"

#include <X11/Xlib.h>
#include <X11/extensions/dpms.h>

namespace testenv {

std::optional<DpmsReport> queryDpms() {
    Display* d = XOpenDisplay(nullptr);
    if (!d) return std::nullopt;
    std::optional<DpmsReport> r;
    int ev = 0, err = 0;
    CARD16 level = 0;
    BOOL enabled = False;
    if (DPMSQueryExtension(d, &ev, &err) && DPMSCapable(d) && DPMSInfo(d, &level, &enabled))
        r = DpmsReport{int(level), enabled != False};
    XCloseDisplay(d);
    return r;
}

void setDpmsEnabled(bool enabled) {
    Display* d = XOpenDisplay(nullptr);
    if (!d) return;
    enabled ? DPMSEnable(d) : DPMSDisable(d);
    XSync(d, False);
    XCloseDisplay(d);
}

}  // namespace testenv
