#!/bin/sh
# Runs every libFuzzer target for FUZZ_SECONDS (default 600) each, one after the other, seeded
# from fuzz/corpus. New inputs go to build-fuzz/found/<target>, crashes, leaks and hangs to
# build-fuzz/artifacts/<target>/; an input that found a fault belongs in the target's corpus
# once the fault is mended; `<target> -merge=1 fuzz/corpus/<name> build-fuzz/found/<target>`
# adds the finds that reach new code. Needs clang (scripts/install-deps.sh installs it).
# A hang is an input that takes 60 s: at 10 s a loaded two-core machine raised false alarms.
set -e
ROOT=$(cd "$(dirname "$0")/.." && pwd)
B=${FUZZ_BUILD:-$ROOT/build-fuzz}
SECONDS_EACH=${FUZZ_SECONDS:-600}
TARGETS=${FUZZ_TARGETS:-"profile_fuzz:profile typed_fuzz:typed fuzz_translation:translation fuzz_constants:constants fuzz_langdata:langdata"}

[ -f "$B/build.ninja" ] || cmake -S "$ROOT" -B "$B" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DTOVRA_FUZZ=ON >/dev/null
names=""
for t in $TARGETS; do names="$names ${t%%:*}"; done
ninja -C "$B" $names

status=0
for t in $TARGETS; do
    name=${t%%:*}
    corpus=$ROOT/fuzz/corpus/${t#*:}
    mkdir -p "$B/found/$name" "$B/artifacts/$name"
    echo "== $name: $SECONDS_EACH s"
    if ! "$B/bin/$name" -max_total_time="$SECONDS_EACH" -timeout=60 -rss_limit_mb=2048 \
            -print_final_stats=1 -artifact_prefix="$B/artifacts/$name/" \
            "$B/found/$name" "$corpus" >"$B/$name.log" 2>&1; then
        echo "   FAULT: see $B/$name.log and $B/artifacts/$name/"
        status=1
    fi
    grep -E "^stat::(number_of_executed_units|peak_rss_mb|new_units_added)" "$B/$name.log" | sed 's/^/   /'
    grep -E "cov: [0-9]+" "$B/$name.log" | tail -1 | sed 's/^/   last: /'
done
exit $status
