#!/bin/sh
# `cmake --install` into a prefix with a space, quotes, a dollar and non-Latin letters: the
# program folder, the bin/ link, the desktop entry naming the program by a correctly quoted
# full path, and the icon.
set -eu
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/pré fix \"q\" \$HOME"
cmake --install "$build" --prefix "$prefix" >"$work/log" 2>&1 || { cat "$work/log"; exit 1; }
fail() { echo "FAILED: $*"; exit 1; }

[ -x "$prefix/lib/qv-tovra/tovra" ] || fail "no executable in lib/qv-tovra/"
[ -L "$prefix/bin/tovra" ] || fail "bin/tovra is not a link"
[ "$(readlink "$prefix/bin/tovra")" = "../lib/qv-tovra/tovra" ] || fail "bin/tovra points elsewhere"
[ -x "$prefix/bin/tovra" ] || fail "bin/tovra does not reach the program"
for f in "$build"/bin/*.lng "$build"/bin/alarm.mp3; do
    [ -e "$f" ] || continue
    [ -f "$prefix/lib/qv-tovra/$(basename "$f")" ] || fail "$(basename "$f") not beside the program"
done
ls "$prefix/lib/qv-tovra" | grep -q '_tests$' && fail "test programs were installed"
[ -f "$prefix/share/icons/hicolor/scalable/apps/qv-tovra.svg" ] || fail "no icon"
entry="$prefix/share/applications/qv-tovra.desktop"
[ -f "$entry" ] || fail "no desktop entry"
grep -qx 'Name=QV Tovra' "$entry" || fail "entry has no Name"
grep -qx 'Icon=qv-tovra' "$entry" || fail "entry has no Icon"
# The value unescaped twice, as a desktop reads it: the quoted full path of bin/tovra.
exec_line=$(sed -n 's/^Exec=//p' "$entry")
expected="\"$(printf '%s' "$prefix/bin/tovra" | sed 's/[\\"`$]/\\&/g')\""
expected=$(printf '%s' "$expected" | sed 's/%/%%/g; s/\\/\\\\/g')
[ "$exec_line" = "$expected" ] || fail "Exec=$exec_line, expected Exec=$expected"
if command -v desktop-file-validate >/dev/null 2>&1; then
    desktop-file-validate "$entry" || fail "desktop entry does not validate"
fi
echo "install layout ok"
