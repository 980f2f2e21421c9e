#!/usr/bin/env bash
# Start-up time: from process start to the first painted board, against a bare Qt Widgets window
# on the same machine. Runs offscreen; prints the mean of N runs of each in milliseconds.
set -euo pipefail
build=${1:-$(cd "$(dirname "$0")/.." && pwd)/build}
runs=${RUNS:-20}
export QT_QPA_PLATFORM=offscreen
if pgrep -x stonewise >/dev/null; then echo "Stonewise is running; it would take the starts over. Close it first." >&2; exit 1; fi
export STONEWISE_DATA_DIR=$(mktemp -d)
trap 'rm -rf "$STONEWISE_DATA_DIR"' EXIT
mean() {
    local total=0
    for _ in $(seq "$runs"); do
        local t0=$(date +%s%N)
        "$@" >/dev/null 2>&1
        total=$((total + $(date +%s%N) - t0))
    done
    echo $((total / runs / 1000000))
}
STONEWISE_QUIT_AFTER_FIRST_PAINT=1 "$build/src/qt/stonewise" >/dev/null 2>&1 || true   # the first start makes the data folder
bare=$(mean "$build/bench/bench_bare_window")
program=$(mean env STONEWISE_QUIT_AFTER_FIRST_PAINT=1 "$build/src/qt/stonewise")
echo "bare Qt window: ${bare} ms"
echo "Stonewise to the first painted board: ${program} ms"
