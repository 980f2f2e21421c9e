#!/usr/bin/env bash
# Text search over stored games against grep -r over the same games as SGF files, side by side in
# one run: the corpus's game records are imported into a fresh library (again into a second group
# until 2,000 games are stored), and a comment word is searched in both groups by one
# stonewise-cli search, and with grep -r over the same files copied as many times.
#   bench/search-vs-grep.sh [BUILD] [WORD]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
word=${2:-ko}
runs=${RUNS:-10}
cli=$build/src/cli/stonewise-cli
corpus=${STONEWISE_CORPUS_DIR:-$top/../shared/corpus}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mapfile -d '' files < <(find "$corpus" -type f -iname '*.sgf' -print0)
# Two groups (a group holds at most 1,999 games) and the same files twice for grep.
mkdir -p "$work/sgf/1" "$work/sgf/2"
stored=0
for g in 4 5; do
    "$cli" import --data "$work/data" --group "$g" "${files[@]}" >"$work/import-$g.txt" 2>/dev/null || true
    stored=$((stored + $(grep -c ': stored as game' "$work/import-$g.txt")))
done
i=0
for f in "${files[@]}"; do
    cp "$f" "$work/sgf/1/$i.sgf"
    cp "$f" "$work/sgf/2/$i.sgf"
    i=$((i + 1))
done
ms() { echo $(( ($(date +%s%N) - $1) / 1000000 )); }
# Warm both (the files in the system's cache, the groups' search texts kept), then take turns.
"$cli" search --data "$work/data" --group 4 --group 5 "$word" >/dev/null
grep -r -c -- "$word" "$work/sgf" >/dev/null || true
ours=0
theirs=0
for _ in $(seq "$runs"); do
    t=$(date +%s%N)
    "$cli" search --data "$work/data" --group 4 --group 5 "$word" >/dev/null
    ours=$((ours + $(ms "$t")))
    t=$(date +%s%N)
    grep -r -- "$word" "$work/sgf" >/dev/null || true
    theirs=$((theirs + $(ms "$t")))
done
hits=$(( $("$cli" search --data "$work/data" --group 4 --group 5 "$word" | wc -l) - 1 ))
echo "games stored: $stored; SGF files for grep: $((2 * ${#files[@]}))"
echo "stonewise-cli search \"$word\" over both groups: $((ours / runs)) ms ($hits hits)"
echo "grep -r \"$word\" over the same games as SGF files: $((theirs / runs)) ms"
echo "ratio: $(awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "%.2f", a / b }')"
