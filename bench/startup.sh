#!/usr/bin/env bash
# Start-up time: from process start to the first painted board, against a bare Qt Widgets window
# with a menu bar and a line of Japanese text on the same machine. Runs offscreen; prints the mean
# of N runs of each in milliseconds and their ratio.
set -euo pipefail
build=${1:-$(cd "$(dirname "$0")/.." && pwd)/build}
runs=${RUNS:-20}
export QT_QPA_PLATFORM=offscreen
# Its own data folder and socket folder: a program running elsewhere takes no start over.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export STONEWISE_DATA_DIR=$work/data TMPDIR=$work/tmp
mkdir -p "$STONEWISE_DATA_DIR" "$TMPDIR"
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
echo "bare Qt window with a menu bar and Japanese text: ${bare} ms"
echo "Stonewise to the first painted board: ${program} ms"
echo "ratio: $(awk -v p="$program" -v b="$bare" 'BEGIN { printf "%.2f", p / b }')"
