#include "XStacking.h"

#include <X11/Xlib.h>

namespace testenv {

std::vector<unsigned long> mappedTopLevels() {
    std::vector<unsigned long> out;
    Display* d = XOpenDisplay(nullptr);
    if (!d) return out;
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned n = 0;
    if (XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &n)) {
        for (unsigned i = 0; i < n; ++i) {
            XWindowAttributes a;
            if (XGetWindowAttributes(d, children[i], &a) && a.map_state == IsViewable)
                out.push_back(children[i]);
        }
        if (children) XFree(children);
    }
    XCloseDisplay(d);
    return out;
}

}  // namespace testenv
