#!/bin/sh
# Runs every benchmark executable of the build and prints its figures.
set -e
BUILD=${1:-build}
found=0
for b in "$BUILD"/bench/*; do
    [ -x "$b" ] && [ -f "$b" ] || continue
    found=1
    echo "== $(basename "$b")"
    "$b"
done
[ $found -eq 1 ] || echo "no benchmarks built"
