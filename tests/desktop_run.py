"""What the scripts that drive the real program on a desktop share: a desktop of their own,
the failure they raise, waiting on a condition, and running scenarios in a scratch folder whose
program log is shown when one fails."""
import os
import shutil
import subprocess
import sys
import tempfile
import time

SKIP = 77  # the exit code ctest reads as "skipped"


ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


class Failure(Exception):
    pass


def in_own_desktop(script, args):
    """None when `script` already runs in a private desktop of its own; otherwise runs it again
    with `args` inside one (scripts/with-desktop.sh, with a tray) and returns its exit code.
    The focus such a script takes and the keys it types must not land in the windows of tests
    running beside it, nor other programs' icons in its tray."""
    script = os.path.abspath(script)
    if os.environ.get("TOVRA_OWN_DESKTOP") == script:
        return None
    env = dict(os.environ, TOVRA_OWN_DESKTOP=script)
    env.pop("TOVRA_NO_TRAY", None)
    return subprocess.call([os.path.join(ROOT, "scripts", "with-desktop.sh"),
                            sys.executable, script, *args], env=env)


def wait_until(what, fn, timeout, step=0.1):
    """The first true value of fn(), polled every `step` seconds; Failure after `timeout`."""
    end = time.monotonic() + timeout
    while True:
        value = fn()
        if value:
            return value
        if time.monotonic() > end:
            raise Failure("timed out after %.0f s waiting for %s" % (timeout, what))
        time.sleep(step)


def run_scenarios(prefix, scenarios):
    """Runs each scenario(work folder) in turn in a fresh scratch folder; prints the verdict
    and, on a failure, the program output the scenarios wrote to <work>/tovra.log. Returns the
    process exit code."""
    work = tempfile.mkdtemp(prefix=prefix)
    try:
        for scenario in scenarios:
            scenario(work)
    except Failure as e:
        print("FAILED:", e)
        log = os.path.join(work, "tovra.log")
        if os.path.exists(log):
            print("--- program output ---")
            print(open(log, errors="replace").read())
        return 1
    finally:
        shutil.rmtree(work, ignore_errors=True)
    print("passed")
    return 0
