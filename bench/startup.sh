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
# One start of the command in milliseconds.
once() {
    local t0=$(date +%s%N)
    "$@" >/dev/null 2>&1
    echo $(( ($(date +%s%N) - t0) / 1000 ))
}
STONEWISE_QUIT_AFTER_FIRST_PAINT=1 "$build/src/qt/stonewise" >/dev/null 2>&1 || true   # the first start makes the data folder
# The two take turns, so that a change in the machine's load falls on both alike.
bare_total=0
program_total=0
for _ in $(seq "$runs"); do
    bare_total=$((bare_total + $(once "$build/bench/bench_bare_window")))
    program_total=$((program_total + $(once env STONEWISE_QUIT_AFTER_FIRST_PAINT=1 "$build/src/qt/stonewise")))
done
bare=$((bare_total / runs / 1000))
program=$((program_total / runs / 1000))
echo "bare Qt window with a menu bar and Japanese text: ${bare} ms"
echo "Stonewise to the first painted board: ${program} ms"
echo "ratio: $(awk -v p="$program_total" -v b="$bare_total" 'BEGIN { printf "%.2f", p / b }')"
