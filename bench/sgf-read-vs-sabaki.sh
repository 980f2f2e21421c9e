#!/usr/bin/env bash
# Reads every SGF file of the corpus with Stonewise's reader (bytes to record, bench_formats) and
# with @sabaki/sgf (bytes to tree, parseBuffer) in one run, and prints the MB/s of each and their
# ratio, by CPU time and by wall time (CPU time is the steadier figure on a busy machine).
#
# usage: bench/sgf-read-vs-sabaki.sh [CORPUS_DIR] [MIN_SECONDS]
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
corpus=$(cd "${1:-$top/../shared/corpus}" && pwd)
seconds=${2:-5}
command -v node >/dev/null || { echo "sgf-read-vs-sabaki: node is missing" >&2; exit 1; }
"$top/scripts/ensure-node-modules"
"$top/scripts/build" --target bench_formats >/dev/null
ours_json=$(mktemp)
trap 'rm -f "$ours_json"' EXIT
"$top/build/bench/bench_formats" --benchmark_filter='BM_ReadCorpus/sgfOnly:1$' --benchmark_min_time="$seconds" \
  --benchmark_format=json >"$ours_json" 2>/dev/null
theirs=$(node "$top/bench/sabaki-read.js" "$corpus" "$top/node_modules" "$seconds")
node - "$ours_json" "$theirs" <<'JS'
const fs = require('fs')
const [oursPath, theirsText] = process.argv.slice(2)
const run = JSON.parse(fs.readFileSync(oursPath, 'utf8')).benchmarks.find(b => b.run_type !== 'aggregate')
const theirs = JSON.parse(theirsText)
const oursCpu = run.bytes_per_second / 1e6
const oursWall = oursCpu * (run.cpu_time / run.real_time)
const f = x => x.toFixed(1).padStart(8)
console.log(`SGF files of the corpus: ${theirs.files}, ${(theirs.bytes / 1e6).toFixed(2)} MB per pass`)
console.log(`                      MB/s (CPU)  MB/s (wall)`)
console.log(`stonewise reader       ${f(oursCpu)}     ${f(oursWall)}`)
console.log(`@sabaki/sgf            ${f(theirs.cpuMBs)}     ${f(theirs.wallMBs)}   (${theirs.refused} files refused)`)
console.log(`ratio                  ${f(oursCpu / theirs.cpuMBs)}x    ${f(oursWall / theirs.wallMBs)}x`)
JS
