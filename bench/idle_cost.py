#!/usr/bin/env python3
"""Idle cost of the program while it counts a work period, beside the toolkit's floor.

Runs inside a private desktop (scripts/with-desktop.sh: virtual display, tray host, session
bus). Starts build/bin/tovra and the bare tray program from fresh homes, lets them settle,
then samples /proc once a second and prints wake-ups a minute, CPU time, threads, RSS, PSS and
the ratio to the floor; then times start-up to the docked icon and shut-down with the save.

Environment: TOVRA_BENCH_SECONDS (sampling time, default 120), TOVRA_BENCH_SETTLE (default 10),
TOVRA_BENCH_STARTUP_RUNS (default 7), TOVRA_BENCH_PROGRAM (default <build>/bin/tovra),
TOVRA_BENCH_BEFORE (another build of the program, measured beside it as "before").
"""
import glob
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
BUILD = os.path.dirname(HERE)
PROGRAM = os.environ.get("TOVRA_BENCH_PROGRAM", os.path.join(BUILD, "bin", "tovra"))
BEFORE = os.environ.get("TOVRA_BENCH_BEFORE", "")
FLOOR = os.path.join(HERE, "helpers", "floor_tray")
# Our tray layer alone (platform, text tray icon, a minute tick), when built.
STACK = os.path.join(HERE, "helpers", "tray_stack")
STARTUP = os.path.join(HERE, "helpers", "tray_startup")
SECONDS = float(os.environ.get("TOVRA_BENCH_SECONDS", "120"))
SETTLE = float(os.environ.get("TOVRA_BENCH_SETTLE", "10"))
STARTUP_RUNS = int(os.environ.get("TOVRA_BENCH_STARTUP_RUNS", "7"))
TICK = os.sysconf("SC_CLK_TCK")

# Targets the program is held to.
PSS_RATIO_MAX = 1.25
WAKEUPS_MAX = 8.0
STARTUP_MS_MAX = 150.0


def fresh_env(root):
    env = dict(os.environ)
    for var, sub in (("HOME", "home"), ("XDG_CONFIG_HOME", "home/.config"),
                     ("XDG_DATA_HOME", "home/.local/share"), ("XDG_CACHE_HOME", "home/.cache")):
        path = os.path.join(root, sub)
        os.makedirs(path, exist_ok=True)
        env[var] = path
    # A runtime folder of its own: two builds of the program side by side would otherwise share
    # the single-instance lock, and the second would only show its refusal.
    runtime = os.path.join(root, "runtime")
    os.makedirs(runtime, mode=0o700, exist_ok=True)
    env["XDG_RUNTIME_DIR"] = runtime
    return env


def read_tasks(pid):
    """Context switches and CPU nanoseconds summed over the process's threads, by thread."""
    per = {}
    for task in glob.glob(f"/proc/{pid}/task/*"):
        try:
            switches = 0
            with open(task + "/status") as f:
                for line in f:
                    if line.startswith(("voluntary_ctxt_switches", "nonvoluntary_ctxt_switches")):
                        switches += int(line.split()[1])
            with open(task + "/schedstat") as f:
                run_ns = int(f.read().split()[0])
            with open(task + "/comm") as f:
                name = f.read().strip()
            per[os.path.basename(task)] = (switches, run_ns, name)
        except OSError:
            pass  # the thread ended while we looked
    return per


def cpu_ticks(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])  # utime + stime, in clock ticks


def memory_kib(pid):
    out = {}
    with open(f"/proc/{pid}/smaps_rollup") as f:
        for line in f:
            parts = line.split()
            if parts and parts[0] in ("Rss:", "Pss:"):
                out[parts[0][:-1]] = int(parts[1])
    return out


def pss_by_mapping(pid):
    """PSS in KiB by mapped file (its base name) or kind of anonymous memory."""
    out = {}
    name = None
    with open(f"/proc/{pid}/smaps") as f:
        for line in f:
            parts = line.split()
            if not parts:
                continue
            if "-" in parts[0] and not parts[0].endswith(":"):
                path = parts[5] if len(parts) > 5 else ""
                if path.startswith("["):
                    name = path
                elif path:
                    name = os.path.basename(path)
                else:
                    name = "[anon]"
            elif parts[0] == "Pss:" and name is not None:
                out[name] = out.get(name, 0) + int(parts[1])
    return out


def pss_table(maps, names, rows=18):
    """The mappings where the program differs most from the floor, then the sums by group."""
    t, f = maps["tovra"], maps["floor"]
    every = set().union(*maps.values())
    keys = sorted(every, key=lambda k: -max(abs(maps[n].get(k, 0) - f.get(k, 0)) for n in names))
    print(f"PSS by mapping, KiB (largest differences from the floor first)")
    print(f"{'mapping':<34}" + "".join(f"{n:>10}" for n in names) + f"{'diff':>9}")
    for k in keys[:rows]:
        cells = "".join(f"{maps[n].get(k, 0):>10}" for n in names)
        print(f"{k[:33]:<34}{cells}{t.get(k, 0) - f.get(k, 0):>9}")
    groups = (("Qt6 Widgets", ("libQt6Widgets",)), ("Qt6 Gui", ("libQt6Gui",)),
              ("Qt6 Core", ("libQt6Core",)), ("Qt6 DBus + libdbus", ("libQt6DBus", "libdbus")),
              ("Qt plug-ins", ("libq", "libqxcb", "libQt6XcbQpa")),
              ("fonts (HarfBuzz, FreeType, fontconfig, files)",
               ("libharfbuzz", "libfreetype", "libfontconfig", "libpng", "libbrotli", "libgraphite",
                ".ttf", ".otf", ".pcf", ".cache-", "libexpat")),
              ("X (xcb, X11, Xext, Xss, xkb)", ("libxcb", "libX", "libxkb")),
              ("glib, ICU, pcre, zstd", ("libglib", "libgthread", "libicu", "libpcre", "libzstd",
                                         "libgobject", "libgio", "libdouble", "libb2")),
              ("SDL and sound servers", ("libSDL", "libasound", "libpulse", "libdb-", "libsndfile",
                                         "libmpg123", "libFLAC", "libogg", "libvorbis", "libopus")),
              ("C/C++ runtime", ("libc.so", "libstdc++", "libm.so", "libgcc_s", "ld-linux")),
              ("heap and anonymous", ("[heap]", "[anon]", "[stack]")))
    print(f"{'group':<34}" + "".join(f"{n:>10}" for n in names) + f"{'diff':>9}")
    seen = set()
    for label, prefixes in groups:
        ks = [k for k in every if k not in seen and any(p in k for p in prefixes)]
        seen.update(ks)
        sums = {n: sum(maps[n].get(k, 0) for k in ks) for n in names}
        print(f"{label[:33]:<34}" + "".join(f"{sums[n]:>10}" for n in names)
              + f"{sums['tovra'] - sums['floor']:>9}")
    rest = [k for k in every if k not in seen]
    sums = {n: sum(maps[n].get(k, 0) for k in rest) for n in names}
    print(f"{'everything else':<34}" + "".join(f"{sums[n]:>10}" for n in names)
          + f"{sums['tovra'] - sums['floor']:>9}")


class Subject:
    def __init__(self, name, argv, root):
        self.name = name
        self.argv = argv
        self.env = fresh_env(os.path.join(root, name))
        self.proc = None
        self.first = self.last = None
        self.active_seconds = 0
        self.wake_hist = []

    def start(self):
        self.proc = subprocess.Popen(self.argv, env=self.env, stdout=subprocess.DEVNULL,
                                     stderr=subprocess.PIPE)

    def alive(self):
        return self.proc.poll() is None

    def sample(self):
        tasks = read_tasks(self.proc.pid)
        snap = (time.monotonic(), tasks, cpu_ticks(self.proc.pid))
        if self.first is None:
            self.first = snap
        elif self.last is not None:
            prev = sum(s for s, _, _ in self.last[1].values())
            cur = sum(s for s, _, _ in tasks.values())
            self.wake_hist.append(cur - prev)
            if cur != prev:
                self.active_seconds += 1
        self.last = snap

    def figures(self):
        t0, tasks0, ticks0 = self.first
        t1, tasks1, ticks1 = self.last
        minutes = (t1 - t0) / 60.0
        # Threads that ended inside the window are lost; those that started count from zero.
        switches = sum(s - tasks0.get(tid, (0, 0, ""))[0] for tid, (s, _, _) in tasks1.items())
        run_ns = sum(r - tasks0.get(tid, (0, 0, ""))[1] for tid, (_, r, _) in tasks1.items())
        mem = memory_kib(self.proc.pid)
        by_thread = {}
        for tid, (s, _, name) in tasks1.items():
            by_thread[name] = by_thread.get(name, 0) + s - tasks0.get(tid, (0, 0, ""))[0]
        return {
            "wakeups_per_min": switches / minutes if minutes > 0 else 0.0,
            "cpu_ms": (ticks1 - ticks0) * 1000.0 / TICK,
            "run_ms": run_ns / 1e6,
            "threads": len(tasks1),
            "rss_kib": mem.get("Rss", 0),
            "pss_kib": mem.get("Pss", 0),
            "active_s": self.active_seconds,
            "by_thread": by_thread,
        }

    def stop(self):
        if self.proc and self.alive():
            self.proc.send_signal(signal.SIGTERM)
            try:
                self.proc.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()


def idle_cost(root):
    subjects = [Subject("tovra", [PROGRAM], root), Subject("floor", [FLOOR], root)]
    if os.access(STACK, os.X_OK):
        subjects.insert(1, Subject("stack", [STACK], root))
    if BEFORE:
        subjects.insert(0, Subject("before", [BEFORE], root))
    for s in subjects:
        s.start()
    try:
        time.sleep(SETTLE)
        for s in subjects:
            if not s.alive():
                err = s.proc.stderr.read().decode(errors="replace")
                print(f"{s.name} ended during the settling time (exit {s.proc.returncode}): {err}")
                return False
            s.sample()
        end = time.monotonic() + SECONDS
        while time.monotonic() < end:
            time.sleep(min(1.0, max(0.0, end - time.monotonic())))
            for s in subjects:
                if s.alive():
                    s.sample()
        for s in subjects:
            if not s.alive():
                print(f"{s.name} ended while being measured (exit {s.proc.returncode})")
                return False
        figs = {s.name: s.figures() for s in subjects}
        maps = {s.name: pss_by_mapping(s.proc.pid) for s in subjects}
    finally:
        for s in subjects:
            s.stop()

    t, f = figs["tovra"], figs["floor"]
    names = [s.name for s in subjects]
    print(f"idle cost over {SECONDS:.0f} s after {SETTLE:.0f} s (one sample a second);"
          " stack = our tray layer alone; ratio = tovra / floor")
    rows = [("wake-ups / min", "wakeups_per_min", "{:.1f}"), ("CPU ms (utime+stime)", "cpu_ms", "{:.0f}"),
            ("CPU ms (scheduler)", "run_ms", "{:.2f}"), ("seconds with a wake-up", "active_s", "{}"),
            ("threads", "threads", "{}"), ("RSS KiB", "rss_kib", "{}"), ("PSS KiB", "pss_kib", "{}")]
    print(f"{'figure':<24}" + "".join(f"{n:>12}" for n in names) + f"{'ratio':>9}")
    for label, key, fmt in rows:
        ratio = f"{t[key] / f[key]:.2f}" if f[key] else "-"
        cells = "".join(f"{fmt.format(figs[n][key]):>12}" for n in names)
        print(f"{label:<24}{cells}{ratio:>9}")
    for name in names:
        threads = ", ".join(f"{k}:{v}" for k, v in sorted(figs[name]["by_thread"].items()))
        print(f"  {name} switches by thread: {threads}")
    pss_table(maps, names)
    pss_ratio = t["pss_kib"] / f["pss_kib"] if f["pss_kib"] else float("inf")
    print(f"target PSS ratio <= {PSS_RATIO_MAX}: {'met' if pss_ratio <= PSS_RATIO_MAX else 'MISSED'}"
          f" ({pss_ratio:.2f})")
    print(f"target wake-ups <= {WAKEUPS_MAX:.0f}/min: "
          f"{'met' if t['wakeups_per_min'] <= WAKEUPS_MAX else 'MISSED'} ({t['wakeups_per_min']:.1f})")
    return True


def startup(root, name, argv):
    env = fresh_env(os.path.join(root, "startup-" + name))
    times, downs, codes = [], [], set()
    for _ in range(STARTUP_RUNS):
        r = subprocess.run([STARTUP, "10000"] + argv, env=env, capture_output=True, text=True)
        parts = r.stdout.split()
        if r.returncode != 0 or len(parts) < 6:
            print(f"{name}: icon never docked ({r.stdout.strip()} {r.stderr.strip()})")
            return None
        times.append(float(parts[1]))
        downs.append(float(parts[3]))
        codes.add(parts[5])
    warm = times[1:] if len(times) > 1 else times  # the first run warms the disk cache
    return {"first": times[0], "median": statistics.median(warm), "min": min(warm),
            "down": statistics.median(downs), "codes": ",".join(sorted(codes)), "env": env}


def startup_table(root):
    print(f"start-up to the docked icon, {STARTUP_RUNS} runs (first run not in the median)")
    print(f"{'program':<10}{'first ms':>10}{'warm med':>10}{'warm min':>10}{'end ms':>10}{'exit':>6}")
    res = {}
    programs = [("tovra", [PROGRAM]), ("floor", [FLOOR])]
    if BEFORE:
        programs.insert(0, ("before", [BEFORE]))
    for name, argv in programs:
        r = startup(root, name, argv)
        if r is None:
            continue
        res[name] = r
        print(f"{name:<10}{r['first']:>10.1f}{r['median']:>10.1f}{r['min']:>10.1f}"
              f"{r['down']:>10.1f}{r['codes']:>6}")
    if "tovra" in res and "floor" in res:
        print(f"warm start-up ratio to the floor: {res['tovra']['median'] / res['floor']['median']:.2f}")
    if "tovra" in res:
        ini = glob.glob(os.path.join(res["tovra"]["env"]["XDG_CONFIG_HOME"], "**", "tovra.ini"),
                        recursive=True)
        saved = ini and os.path.getsize(ini[0]) > 0
        print(f"settings saved at exit: {'yes, ' + ini[0] if saved else 'NO'}")
        print(f"target start-up < {STARTUP_MS_MAX:.0f} ms warm: "
              f"{'met' if res['tovra']['median'] < STARTUP_MS_MAX else 'MISSED'}"
              f" ({res['tovra']['median']:.1f})")


def main():
    if not os.environ.get("DISPLAY"):
        print("idle_cost: needs a display with a tray host (run it through make bench)")
        return 0
    for path in (PROGRAM, FLOOR, STARTUP):
        if not os.access(path, os.X_OK):
            print(f"idle_cost: {path} is not built")
            return 0
    root = tempfile.mkdtemp(prefix="tovra-bench-")
    try:
        startup_table(root)
        idle_cost(root)
    finally:
        shutil.rmtree(root, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
