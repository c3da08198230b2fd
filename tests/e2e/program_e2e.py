#!/usr/bin/env python3
"""End-to-end run of the real program on a private virtual desktop.

usage: program_e2e.py <tovra executable> <repository root>

From a fresh home folder: the program starts with no window, its tray icon shows "45" in light
green, a second copy is refused, a double click on the icon opens the settings window, and
SIGTERM ends the program leaving a complete tovra.ini; then a second program ends with the
desktop session, which a fake session manager on the bus ends; a third one lives through an X
session manager's save of the running session and ends with that session. Exits 77 (skipped) when the desktop
tools are missing.
"""
import os
import re
import shutil
import signal
import struct
import subprocess
import sys
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from desktop_run import SKIP, Failure, in_own_desktop, run_scenarios, wait_until  # noqa: E402

LIGHT_GREEN = (128, 255, 128)  # 8454016, the default work colour
TRAY_HEIGHT = 24               # trayer's height in with-desktop.sh, pixels at the top
TRAYER = ["trayer", "--edge", "top", "--align", "right", "--widthtype", "pixel", "--width", "200",
          "--heighttype", "pixel", "--height", "24", "--transparent", "false", "--tint", "0xffffff"]

KEYS = {
    "Work": ["Time", "Msg", "File", "BgColor", "Font", "Border"],
    "Rest": ["Time", "Msg", "File", "BgColor", "Font"],
    "Param": ["ExtPlayer", "LoopSound", "BaloonHints", "MonitorPower", "UserActivity", "UATime"],
    "Params": ["LanguageID"],
}


def run(*args, **kw):
    return subprocess.run(list(args), capture_output=True, text=True, **kw)


def screenshot(max_rows=TRAY_HEIGHT):
    """The top `max_rows` rows of the screen as (width, height, rows of (r, g, b)), from xwd."""
    data = subprocess.run(["xwd", "-root", "-silent"], capture_output=True, check=True).stdout
    fields = struct.unpack(">25I", data[:100])
    header_size, width, height = fields[0], fields[4], fields[5]
    byte_order, bpp, bytes_per_line = fields[7], fields[11], fields[12]
    masks = fields[14:17]
    ncolors = fields[19]
    if bpp not in (24, 32):
        raise Failure("unsupported screen dump: %d bits per pixel" % bpp)
    offset = header_size + ncolors * 12
    step = bpp // 8
    big = byte_order != 0

    def shift(m):
        s = 0
        while m and not m & 1:
            m >>= 1
            s += 1
        return s

    shifts = [shift(m) for m in masks]
    rows = []
    for y in range(min(height, max_rows)):
        base = offset + y * bytes_per_line
        line = data[base:base + width * step]
        row = []
        for x in range(width):
            p = int.from_bytes(line[x * step:(x + 1) * step], "big" if big else "little")
            row.append(tuple((p & m) >> s for m, s in zip(masks, shifts)))
        rows.append(row)
    return width, height, rows


FONT_FILE = re.compile(r"\.(ttf|otf|ttc|pcf|pcf\.gz|pfb)$|fontconfig/.*\.cache-")


def near(c, ref, tol=10):
    return all(abs(a - b) <= tol for a, b in zip(c, ref))


def find_icon(colour):
    """Bounding box (x0, y0, x1, y1) of the pixels of `colour` in the tray strip, or None."""
    width, _height, rows = screenshot()
    xs, ys = [], []
    for y in range(min(TRAY_HEIGHT, len(rows))):
        for x in range(width):
            if near(rows[y][x], colour):
                xs.append(x)
                ys.append(y)
    if len(xs) < 60:  # a 16x16 face minus its text is well above this
        return None
    return (min(xs), min(ys), max(xs), max(ys)), rows


def glyph_groups(rows, box):
    """Runs of columns inside `box` that hold dark (text) pixels: one per drawn character."""
    x0, y0, x1, y1 = box
    groups, inside = 0, False
    for x in range(x0, x1 + 1):
        dark = any(max(rows[y][x]) < 90 for y in range(y0, y1 + 1))
        if dark and not inside:
            groups += 1
        inside = dark
    return groups


def visible_windows(pid, name=""):
    """Visible windows of `pid` bigger than a tray icon (whose own window is mapped too)."""
    out = run("xdotool", "search", "--all", "--onlyvisible", "--pid", str(pid), "--name", name).stdout
    return [w for w in out.split() if min(window_size(w)) > 48]


def window_size(win):
    out = run("xdotool", "getwindowgeometry", "--shell", win).stdout
    vals = dict(line.split("=", 1) for line in out.splitlines() if "=" in line)
    return int(vals.get("WIDTH", 0)), int(vals.get("HEIGHT", 0))


def press(win, key):
    """Types `key` into window `win` (real input: synthetic events are ignored by Qt)."""
    run("xdotool", "windowfocus", "--sync", win)
    time.sleep(0.2)
    run("xdotool", "key", "--clearmodifiers", key)


def double_click(x, y):
    run("xdotool", "mousemove", str(x), str(y))
    time.sleep(0.3)
    run("xdotool", "click", "--repeat", "2", "--delay", "60", "1")


def read_ini(path):
    sections, current = {}, None
    with open(path, encoding="utf-8", errors="replace") as f:
        for line in f:
            line = line.strip()
            if line.startswith("[") and line.endswith("]"):
                current = sections.setdefault(line[1:-1], {})
            elif "=" in line and current is not None:
                k, v = line.split("=", 1)
                current[k] = v
    return sections


def check_ini(ini):
    sections = read_ini(ini)
    for section, keys in KEYS.items():
        missing = [k for k in keys if k not in sections.get(section, {})]
        if missing:
            raise Failure("[%s] lacks %s" % (section, ", ".join(missing)))
    if sections["Work"]["Time"] != "45" or sections["Rest"]["Time"] != "15":
        raise Failure("unexpected lengths: work %s, rest %s"
                      % (sections["Work"]["Time"], sections["Rest"]["Time"]))


def session_manager(method, *args):
    """A call to the test side of fake_session_manager.py: its answer's values, or None."""
    r = run("dbus-send", "--session", "--print-reply", "--dest=org.gnome.SessionManager",
            "/org/gnome/SessionManager", "org.tovra.Test." + method, *args, timeout=10)
    if r.returncode != 0:
        return None
    return re.findall(r'(?:string "(.*)"|uint32 (\d+))', r.stdout)


def session_end_scenario(exe, work, root):
    """The desktop session ends through a GNOME-style session manager on the bus: the program
    ends at once, saves its settings, and answers the manager only then."""
    python = "/usr/bin/python3" if os.access("/usr/bin/python3", os.X_OK) else "python3"
    fake = subprocess.Popen([python, os.path.join(root, "tests", "linux", "fake_session_manager.py")],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    program = None
    try:
        end = time.monotonic() + 10
        while session_manager("Clients") is None:
            if fake.poll() is not None or time.monotonic() > end:
                print("session end skipped: no python3 with dbus and gi")
                return
            time.sleep(0.2)
        home = os.path.join(work, "session home")
        config = os.path.join(home, ".config")
        os.makedirs(home)
        env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=config, LANG="C.UTF-8",
                   SDL_AUDIODRIVER="dummy", QT_QPA_PLATFORM="xcb")
        with open(os.path.join(work, "tovra.log"), "a") as logs:
            program = subprocess.Popen([exe], env=env, stdout=logs, stderr=subprocess.STDOUT)
        wait_until("the program to register with the session manager",
                   lambda: session_manager("Clients") == [("", "1")], 20)
        time.sleep(1)  # the program takes the manager's answer once its loop runs
        if program.poll() is not None:
            raise Failure("the program ended at start with code %s" % program.returncode)
        ini = os.path.join(config, "QV Tovra", "tovra.ini")
        if os.path.exists(ini):
            raise Failure("settings saved before the session ended")
        ended = time.monotonic()
        session_manager("Run", "string:end")
        try:
            rc = program.wait(timeout=15)
            print("ended %.0f ms after the session's end" % ((time.monotonic() - ended) * 1000))
        except subprocess.TimeoutExpired:
            raise Failure("the program did not end within 15 s of the session's end")
        if rc != 0:
            raise Failure("the program ended with code %d when the session ended" % rc)
        if not os.path.isfile(ini):
            raise Failure("no settings file at %s after the session's end" % ini)
        check_ini(ini)
        log = [m[0] for m in session_manager("Log") or []]
        want = ["RegisterClient qv-tovra ", "EndSessionResponse true ", "EndSessionResponse true "]
        if log != want:
            raise Failure("the session manager heard %s, not %s" % (log, want))
        print("session end: settings saved, manager answered")
    finally:
        if program is not None and program.poll() is None:
            program.kill()
            program.wait()
        fake.terminate()
        fake.wait()


def xsmp_scenario(exe, work):
    """An X session manager (xsmp_manager, built beside the program) saves the running session,
    which leaves the program running, then ends the session, which ends it with its settings
    saved."""
    helper = os.path.join(os.path.dirname(exe), "xsmp_manager")
    if not os.access(helper, os.X_OK):
        print("X session end skipped: no xsmp_manager")
        return
    manager = subprocess.Popen([helper], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
    heard = []
    reader = threading.Thread(target=lambda: heard.extend(iter(manager.stdout.readline, "")),
                              daemon=True)
    program = None
    try:
        address = manager.stdout.readline().strip()
        if not address.startswith("SESSION_MANAGER="):
            raise Failure("the X session manager gave no address: %r" % address)
        reader.start()
        home = os.path.join(work, "xsmp home")
        config = os.path.join(home, ".config")
        os.makedirs(home)
        env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=config, LANG="C.UTF-8",
                   SDL_AUDIODRIVER="dummy", QT_QPA_PLATFORM="xcb",
                   SESSION_MANAGER=address.split("=", 1)[1])
        with open(os.path.join(work, "tovra.log"), "a") as logs:
            program = subprocess.Popen([exe], env=env, stdout=logs, stderr=subprocess.STDOUT)
        lines = lambda: [h.strip() for h in heard]
        wait_until("the program's first save for its new session",
                   lambda: lines()[:2] == ["RegisterClient", "SaveYourselfDone true"], 20)
        manager.stdin.write("checkpoint\n")
        manager.stdin.flush()
        wait_until("the program's save of the running session",
                   lambda: lines().count("SaveYourselfDone true") == 2, 10)
        time.sleep(1)
        if program.poll() is not None:
            raise Failure("a save of the running session ended the program (code %s)"
                          % program.returncode)
        ini = os.path.join(config, "QV Tovra", "tovra.ini")
        manager.stdin.write("end\n")
        manager.stdin.flush()
        try:
            rc = program.wait(timeout=15)
        except subprocess.TimeoutExpired:
            raise Failure("the program did not end within 15 s of the X session's end")
        if rc != 0:
            raise Failure("the program ended with code %d when the X session ended" % rc)
        if not os.path.isfile(ini):
            raise Failure("no settings file at %s after the X session's end" % ini)
        check_ini(ini)
        wait_until("the manager to see the program go", lambda: "CloseConnection" in lines(), 5)
        want = ["RegisterClient", "SaveYourselfDone true", "SaveYourself checkpoint",
                "SaveYourselfDone true", "SaveYourself shutdown", "SaveYourselfDone true",
                "CloseConnection"]
        if lines() != want:
            raise Failure("the X session manager heard %s, not %s" % (lines(), want))
        print("X session: a checkpoint kept it running, the end saved and ended it")
    finally:
        if program is not None and program.poll() is None:
            program.kill()
            program.wait()
        manager.kill()
        manager.wait()


def scenario(exe, work):
    # A home whose path has a space and non-Latin letters, as real ones may.
    home = os.path.join(work, "home Ünï кот")
    config = os.path.join(home, ".config")
    os.makedirs(home)
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=config, LANG="C.UTF-8",
               SDL_AUDIODRIVER="dummy", QT_QPA_PLATFORM="xcb")
    logs = open(os.path.join(work, "tovra.log"), "w")
    hosts = []
    started = time.monotonic()
    first = subprocess.Popen([exe], env=env, stdout=logs, stderr=subprocess.STDOUT)
    try:
        # 1. The icon comes, in the work colour, with two characters on it ("45").
        box, rows = wait_until("the light green tray icon", lambda: find_icon(LIGHT_GREEN), 20)
        print("icon shown %.2f s after start" % (time.monotonic() - started))
        time.sleep(0.5)  # the first tick comes 50 ms after start; let the face settle
        box, rows = find_icon(LIGHT_GREEN)
        groups = glyph_groups(rows, box)
        if groups != 2:
            raise Failure("the icon face at %s holds %d characters, not the 2 of \"45\"" % (box, groups))
        print("icon at", box, "with", groups, "characters")
        # The default face is drawn from built-in glyphs: counting all day must not keep the
        # toolkit's font files and caches in memory.
        with open("/proc/%d/maps" % first.pid) as maps:
            fonts = {line.split()[-1] for line in maps if FONT_FILE.search(line)}
        if fonts:
            raise Failure("the default face mapped font files: %s" % sorted(fonts))
        if visible_windows(first.pid):
            raise Failure("a window is visible at start")
        if first.poll() is not None:
            raise Failure("the program ended at start with code %s" % first.returncode)

        # The tray host restarts: the icon comes back.
        host = os.environ.get("TOVRA_TRAY_HOST_PID")
        if host:
            os.kill(int(host), signal.SIGTERM)
            wait_until("the icon to go with its host", lambda: find_icon(LIGHT_GREEN) is None, 10)
            new_host = subprocess.Popen(TRAYER, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            hosts.append(new_host)
            box, rows = wait_until("the icon back in the new host", lambda: find_icon(LIGHT_GREEN), 15)
            print("icon back after the tray host restarted")

        # 2. A second copy is refused: its error box, then it ends; the first runs on.
        second = subprocess.Popen([exe], env=env, stdout=logs, stderr=subprocess.STDOUT)
        try:
            boxes = wait_until("the refusal of the second copy",
                               lambda: visible_windows(second.pid) or second.poll() is not None, 15)
            if boxes is not True:
                press(boxes[0], "Return")
            second.wait(timeout=10)
        finally:
            if second.poll() is None:
                second.kill()
                raise Failure("the second copy did not end")
        if first.poll() is not None:
            raise Failure("the first copy ended when the second started")
        print("second copy refused")

        # 3. A double click on the icon opens the settings window, 556 x 451, with OK as
        # its active control: Return confirms it, which saves the settings at once.
        cx, cy = (box[0] + box[2]) // 2, (box[1] + box[3]) // 2
        ini = os.path.join(config, "QV Tovra", "tovra.ini")
        double_click(cx, cy)
        wins = wait_until("the settings window", lambda: visible_windows(first.pid, "^QV Tovra$"), 10)
        size = window_size(wins[0])
        if size != (556, 451):
            raise Failure("the settings window is %dx%d, not 556x451" % size)
        print("settings window open,", size)
        if os.path.exists(ini):
            raise Failure("settings saved before OK")
        press(wins[0], "Return")
        wait_until("the window to close on Return", lambda: not visible_windows(first.pid, "^QV Tovra$"), 10)
        wait_until("the settings saved by OK", lambda: os.path.isfile(ini), 5)
        os.remove(ini)
        print("Return pressed OK and saved")

        # Open again and leave it open for the end.
        time.sleep(1)
        double_click(cx, cy)
        wait_until("the settings window again", lambda: visible_windows(first.pid, "^QV Tovra$"), 10)

        # 4. SIGTERM ends it; the settings are saved with every key.
        signalled = time.monotonic()
        first.send_signal(signal.SIGTERM)
        try:
            rc = first.wait(timeout=15)
            print("ended %.0f ms after SIGTERM" % ((time.monotonic() - signalled) * 1000))
        except subprocess.TimeoutExpired:
            raise Failure("the program did not end within 15 s of SIGTERM")
        if rc != 0:
            raise Failure("the program ended with code %d after SIGTERM" % rc)
        if not os.path.isfile(ini):
            raise Failure("no settings file at %s" % ini)
        mode = os.stat(ini).st_mode & 0o777
        if mode & 0o022:
            raise Failure("the settings file is writable by others (mode %o)" % mode)
        check_ini(ini)
        print("tovra.ini complete")
    finally:
        if first.poll() is None:
            first.kill()
            first.wait()
        for h in hosts:
            h.terminate()
            h.wait()
        logs.close()


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    exe, root = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    for tool in ("Xvfb", "trayer", "xdotool", "xwd", "dbus-daemon"):
        if not shutil.which(tool):
            print("skipped: %s is not installed" % tool)
            return SKIP
    rc = in_own_desktop(__file__, [exe, root])
    if rc is not None:
        return rc
    return run_scenarios("tovra-e2e-", [lambda work: scenario(exe, work),
                                         lambda work: session_end_scenario(exe, work, root),
                                         lambda work: xsmp_scenario(exe, work)])


if __name__ == "__main__":
    sys.exit(main())
