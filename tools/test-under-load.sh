#!/usr/bin/env bash
# Proves the suite does not depend on an idle machine: each round runs
#   1. the test suite and the sanitizer suite while every core runs busy
#      loops, pinned, so each test shares its core with them;
#   2. the window tests pinned to one core together with eight busy loops.
# Exits non-zero on the first failure; prints how long each round took.
#   tools/test-under-load.sh [ROUNDS]      (3 by default)
# Builds build/ and build-asan/ first, as ./rivetbay test configures them.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
rounds=${1:-3}
cores=$(nproc)

for dir in build build-asan; do
    if [ ! -f "$here/$dir/CMakeCache.txt" ]; then
        echo "$dir/ is not configured: run ./rivetbay test once first." >&2
        exit 2
    fi
    cmake --build "$here/$dir" -j "$cores"
done

loops=()
stop_loops() {
    [ ${#loops[@]} -eq 0 ] || kill "${loops[@]}" 2>/dev/null || true
    wait 2>/dev/null || true
    loops=()
}
trap stop_loops EXIT
# COUNT busy loops pinned to the cores in LIST (taskset's syntax).
busy() {
    local count=$1 list=$2
    for _ in $(seq "$count"); do
        taskset -c "$list" sh -c 'while :; do :; done' &
        loops+=($!)
    done
}

last_core=$((cores - 1))
for round in $(seq "$rounds"); do
    begun=$(date +%s)
    echo "== Round $round of $rounds: the suites with $((4 * cores)) busy loops on cores 0-$last_core"
    busy $((4 * cores)) "0-$last_core"
    (cd "$here/build" && ctest --output-on-failure -j "$cores")
    (cd "$here/build-asan" && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j "$cores")
    stop_loops

    echo "== Round $round of $rounds: the window tests on core 0 with eight busy loops"
    busy 8 0
    (cd "$here/build" && taskset -c 0 ctest --output-on-failure -j "$cores" -L window)
    stop_loops
    echo "== Round $round passed in $(($(date +%s) - begun)) s"
done
echo "All $rounds rounds passed under load."
