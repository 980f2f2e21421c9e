#!/usr/bin/env bash
# The pattern database at the format's maximum (25,600 games) and its searches, from the corpus:
#   bench/pattern-bench.sh [BUILD] [GAMES]
# 1. bench/pattern-games.py writes the bench games (the corpus's 19-line games, turned and
#    reflected, round after round) and twenty positions from them at moves 10 to 60; another
#    program can be run on exactly these files (WORK=DIR keeps them).
# 2. The games are imported into a fresh library (one group per 1,999 games; not timed).
# 3. stonewise-cli pattern build under /usr/bin/time -v: games per second by the clock and by the
#    processor time used (the machine is shared, so the clock also counts waiting), peak memory.
# 4. bench_pattern: whole-board and corner searches from each position (its analysis included);
#    the median over the twenty positions of each.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
games=${2:-25600}
cli=$build/src/cli/stonewise-cli
corpus=${STONEWISE_CORPUS_DIR:-$top/../shared/corpus}
work=${WORK:-$(mktemp -d)}
[[ -n "${WORK:-}" ]] || trap 'rm -rf "$work"' EXIT

python3 "$top/bench/pattern-games.py" "$corpus" "$work" "$games"
rm -rf "$work/lib"
"$cli" import --data "$work/lib" --group 1 --new-groups "$work"/games-*.sgf >/dev/null 2>"$work/import.txt"
mapfile -t groups < <("$cli" groups --data "$work/lib" | awk -F'\t' 'NR > 1 && $2 > 0 { print $1 }')

/usr/bin/time -v "$cli" pattern build --data "$work/lib" --kind general --group "${groups[@]}" \
    >"$work/build.txt" 2>"$work/time.txt"
built=$(sed -n 's/.*パターン数は\([0-9]*\)個.*/\1/p' "$work/build.txt")
wall=$(awk -F': ' '/Elapsed \(wall clock\)/ { n = split($2, t, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + t[i]; print s }' "$work/time.txt")
cpu=$(awk -F': ' '/User time/ { u = $2 } /System time/ { s = $2 } END { print u + s }' "$work/time.txt")
peak=$(awk -F': ' '/Maximum resident/ { print int($2 / 1024) }' "$work/time.txt")
echo "build: $built games in ${wall} s by the clock ($(awk -v g="$built" -v t="$wall" 'BEGIN { printf "%d", g / t }') games/s)," \
     "${cpu} s of processor time ($(awk -v g="$built" -v t="$cpu" 'BEGIN { printf "%d", g / t }') games/s), peak memory ${peak} MB"
echo "       load average $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"

PATTERN_BENCH_DATA="$work/lib" PATTERN_BENCH_POSITIONS="$work/positions" "$build/bench/bench_pattern" \
    --benchmark_format=csv --benchmark_min_time=0.2 2>/dev/null >"$work/search.csv"
median() { sort -g | awk '{ t[NR] = $1 } END { printf "%.1f us (%.1f to %.1f)", NR % 2 ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2, t[1], t[NR] }'; }
for kind in whole corner; do
    cpuTimes=$(awk -F, -v k="\"$kind/" 'index($1, k) == 1 { print $4 }' "$work/search.csv" | median)
    clockTimes=$(awk -F, -v k="\"$kind/" 'index($1, k) == 1 { print $3 }' "$work/search.csv" | median)
    echo "$kind search over 20 positions: median $cpuTimes of processor time, $clockTimes by the clock"
done
awk -F, '$1 == "\"load_database\"" { printf "loading the database: %.1f ms of processor time\n", $4 }' "$work/search.csv"
echo "peer (libkombilo, figures from this machine): build about 1,550 games/s; searches 3-64 ms whole-board, 20-40 ms corner on 90k games"
