#!/bin/sh
# Runs a command inside a private desktop: a virtual X display, a tray host and a private
# D-Bus session bus. Stops exactly what it started, whatever way the command ends.
set -u
started=""
cleanup() {
    for pid in $started; do kill "$pid" 2>/dev/null; done
    for pid in $started; do wait "$pid" 2>/dev/null; done
    [ -n "${tmpdir:-}" ] && rm -rf "$tmpdir"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

tmpdir=$(mktemp -d)
export LANG=C.UTF-8
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
export XDG_RUNTIME_DIR="$tmpdir/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

if command -v Xvfb >/dev/null 2>&1; then
    # -displayfd picks a free display number, so parallel runs never collide.
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$tmpdir/display" 2>"$tmpdir/xvfb.log" &
    started="$started $!"
    i=0
    while [ ! -s "$tmpdir/display" ] && [ $i -lt 100 ]; do sleep 0.05; i=$((i + 1)); done
    export DISPLAY=":$(cat "$tmpdir/display")"
    export QT_QPA_PLATFORM=xcb
fi

if command -v dbus-daemon >/dev/null 2>&1; then
    dbus-daemon --session --nofork --nopidfile --print-address=4 \
        --address="unix:path=$tmpdir/bus" 4>"$tmpdir/bus.addr" 2>/dev/null &
    started="$started $!"
    i=0
    while [ ! -s "$tmpdir/bus.addr" ] && [ $i -lt 100 ]; do sleep 0.05; i=$((i + 1)); done
    DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$tmpdir/bus.addr")
    export DBUS_SESSION_BUS_ADDRESS
fi

if [ -n "${DISPLAY:-}" ] && command -v trayer >/dev/null 2>&1 && [ -z "${TOVRA_NO_TRAY:-}" ]; then
    trayer --edge top --align right --widthtype pixel --width 200 --heighttype pixel --height 24 \
        --transparent false --tint 0xffffff >/dev/null 2>&1 &
    started="$started $!"
    export TOVRA_TRAY_HOST_PID=$!
fi

"$@"
