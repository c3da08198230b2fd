#!/bin/sh
# `make run`: starts the program from the build tree. With no desktop session (no DISPLAY and
# no WAYLAND_DISPLAY) it first starts a private virtual display with a tray host and a
# notification service, and refreshes a screenshot of the tray in $BUILD/tray.png each minute
# until the program ends (Ctrl+C stops everything it started).
set -u
BUILD=${1:-build}
BIN="$BUILD/bin/tovra"
[ -x "$BIN" ] || { echo "no program at $BIN; run make first" >&2; exit 1; }

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$BIN"
fi

echo "No desktop session: running QV Tovra in a private virtual display."
export TOVRA_SCREENSHOT="$BUILD/tray.png"
exec "$(dirname "$0")/with-desktop.sh" sh -c '
    if command -v dunst >/dev/null 2>&1; then dunst >/dev/null 2>&1 & notif=$!; fi
    "$0" & prog=$!
    trap "kill $prog 2>/dev/null" INT TERM HUP
    tools_dir=$1
    while kill -0 $prog 2>/dev/null; do
        sleep 2
        if command -v xwd >/dev/null 2>&1; then
            xwd -root -silent > "$TOVRA_SCREENSHOT.xwd" 2>/dev/null &&
                python3 "$tools_dir/xwd2png.py" "$TOVRA_SCREENSHOT.xwd" "$TOVRA_SCREENSHOT" 1080 0 200 24 &&
                echo "tray screenshot: $TOVRA_SCREENSHOT ($(date +%H:%M:%S))"
            rm -f "$TOVRA_SCREENSHOT.xwd"
        fi
        i=0
        while [ $i -lt 58 ] && kill -0 $prog 2>/dev/null; do sleep 1; i=$((i + 1)); done
    done
    wait $prog; rc=$?
    [ -n "${notif:-}" ] && kill $notif 2>/dev/null
    exit $rc
' "$BIN" "$(cd "$(dirname "$0")/.." && pwd)/tools"
