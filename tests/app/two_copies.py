#!/usr/bin/env python3
"""Two copies of the real program in one desktop session.

usage: two_copies.py <tovra executable>

The second copy shows its error box, ends when the box is closed and changes nothing in the
user's folders; the first copy runs on. Runs in a private desktop of its own
(scripts/with-desktop.sh); needs Xvfb and xdotool, and exits 77 (skipped) without them.
"""
import os
import shutil
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from desktop_run import SKIP, Failure, in_own_desktop, run_scenarios, wait_until  # noqa: E402


def xdotool(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True).stdout


def windows_of(pid, visible=True):
    args = ["search"] + (["--onlyvisible"] if visible else []) + ["--pid", str(pid)]
    return xdotool(*args).split()


def snapshot(root):
    """Every file and folder under root with its size and modification time. ~/.dbus is left
    out: without a session bus the toolkit autolaunches one and notes it there."""
    out = {}
    for folder, dirs, files in os.walk(root):
        if folder == root and ".dbus" in dirs:
            dirs.remove(".dbus")
        for name in dirs + files:
            path = os.path.join(folder, name)
            st = os.lstat(path)
            out[os.path.relpath(path, root)] = (st.st_size, st.st_mtime_ns)
    return out


def scenario(exe, work):
    home = os.path.join(work, "home")
    runtime = os.path.join(work, "runtime")
    os.makedirs(os.path.join(home, ".config"))
    os.mkdir(runtime, 0o700)
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
               XDG_RUNTIME_DIR=runtime, LANG="C.UTF-8", SDL_AUDIODRIVER="dummy",
               QT_QPA_PLATFORM="xcb")
    log = open(os.path.join(work, "tovra.log"), "w")
    first = subprocess.Popen([exe], env=env, stdout=log, stderr=subprocess.STDOUT)
    second = None
    try:
        # The first copy is up once it has windows of its own (the tray icon's); give it a
        # moment more to finish its start-up.
        try:
            wait_until("the first copy's windows", lambda: windows_of(first.pid, visible=False), 15)
        except Failure:
            pass
        time.sleep(1.0)
        if first.poll() is not None:
            raise Failure("the first copy ended at start with code %s" % first.returncode)
        before = snapshot(home)

        second = subprocess.Popen([exe], env=env, stdout=log, stderr=subprocess.STDOUT)
        shown = wait_until("the second copy's error box",
                         lambda: windows_of(second.pid) or second.poll() is not None, 15)
        if shown is True:
            raise Failure("the second copy ended (code %s) without showing its error box"
                          % second.returncode)
        box = shown[0]
        title = xdotool("getwindowname", box).strip()
        print("second copy shows a box titled %r" % title)
        if first.poll() is not None:
            raise Failure("the first copy ended while the second showed its box")
        # Close the box as a user would, with Enter on its OK button.
        xdotool("windowfocus", "--sync", box)
        xdotool("key", "--window", box, "Return")
        try:
            rc = second.wait(timeout=5)
        except subprocess.TimeoutExpired:
            xdotool("key", "Return")
            try:
                rc = second.wait(timeout=10)
            except subprocess.TimeoutExpired:
                raise Failure("the second copy is still running: it was not refused")
        if rc != 0:
            raise Failure("the second copy ended with code %d" % rc)

        time.sleep(0.5)
        if first.poll() is not None:
            raise Failure("the first copy ended with the second (code %s)" % first.returncode)
        after = snapshot(home)
        if after != before:
            changed = sorted(set(before.items()) ^ set(after.items()))
            raise Failure("the second copy changed the user's folders: %s" % changed)
        print("second copy refused; first copy still running")
    finally:
        for p in (second, first):
            if p is not None and p.poll() is None:
                p.send_signal(signal.SIGTERM)
                try:
                    p.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait()
        log.close()


def main():
    if len(sys.argv) != 2:
        raise SystemExit(__doc__)
    exe = os.path.abspath(sys.argv[1])
    rc = in_own_desktop(__file__, [exe])
    if rc is not None:
        return rc
    if not os.environ.get("DISPLAY") or not shutil.which("xdotool"):
        print("skipped: needs a display and xdotool")
        return SKIP
    return run_scenarios("tovra-two-copies-", [lambda work: scenario(exe, work)])


if __name__ == "__main__":
    sys.exit(main())
