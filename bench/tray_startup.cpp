// Start-up and shut-down timer for a tray program: starts the command, reports the time until
// its icon is docked into the tray host (reparented out of the root window and mapped), then
// sends SIGTERM and reports the time until the process has ended (the settings save included).
//
// Usage: tray_startup <timeout ms> <command> [args...]
// Prints: "startup_ms <value> shutdown_ms <value> exit <code>"; exit status 0 on success,
// 2 when the icon never docked within the timeout.
#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

double nowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

long windowPid(Display* d, Window w) {
    static Atom pidAtom = XInternAtom(d, "_NET_WM_PID", False);
    Atom type;
    int format;
    unsigned long n, after;
    unsigned char* data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(d, w, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &n, &after,
                           &data) == Success &&
        data && n == 1 && format == 32)
        pid = long(*reinterpret_cast<unsigned long*>(data));
    if (data) XFree(data);
    return pid;
}

int ignoreErrors(Display*, XErrorEvent*) { return 0; }  // windows may vanish while we look

// Waits for the next X event or until the deadline; false on timeout.
bool nextEvent(Display* d, XEvent& ev, double deadline) {
    while (!XPending(d)) {
        double left = deadline - nowMs();
        if (left <= 0) return false;
        pollfd p{ConnectionNumber(d), POLLIN, 0};
        poll(&p, 1, int(left) + 1);
    }
    XNextEvent(d, &ev);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <timeout ms> <command> [args...]\n", argv[0]);
        return 64;
    }
    double timeout = std::atof(argv[1]);
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "tray_startup: no X display\n");
        return 1;
    }
    XSetErrorHandler(ignoreErrors);
    Window root = DefaultRootWindow(d);
    // Docking reparents the icon's window away from the root: the root's substructure shows it.
    XSelectInput(d, root, SubstructureNotifyMask);
    XSync(d, False);

    double t0 = nowMs();
    pid_t child = fork();
    if (child == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    double deadline = t0 + timeout;
    double docked = -1;
    Window icon = 0;
    XEvent ev;
    while (docked < 0 && nextEvent(d, ev, deadline)) {
        if (ev.type == ReparentNotify && ev.xreparent.parent != root &&
            windowPid(d, ev.xreparent.window) == child) {
            icon = ev.xreparent.window;
            XSelectInput(d, icon, StructureNotifyMask);
            XWindowAttributes a;
            if (XGetWindowAttributes(d, icon, &a) && a.map_state != IsUnmapped) docked = nowMs();
        } else if (icon && ev.type == MapNotify && ev.xmap.window == icon) {
            docked = nowMs();
        }
    }
    int status = 0;
    if (docked < 0) {
        kill(child, SIGTERM);
        waitpid(child, &status, 0);
        std::printf("startup_ms none shutdown_ms none exit %d\n", WEXITSTATUS(status));
        return 2;
    }
    // Let the first tick and the settings load settle before asking the program to end.
    usleep(300 * 1000);
    double t1 = nowMs();
    kill(child, SIGTERM);
    waitpid(child, &status, 0);
    double ended = nowMs();
    std::printf("startup_ms %.1f shutdown_ms %.1f exit %d\n", docked - t0, ended - t1,
                WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
    XCloseDisplay(d);
    return 0;
}
