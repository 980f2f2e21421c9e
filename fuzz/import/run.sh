#!/usr/bin/env bash
# Builds the fuzz target of importing into the store with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) into fuzz/out/import and runs it for a while, seeded with the corpus
# of other programs' game records (each file one new-game import).
#   fuzz/import/run.sh [SECONDS]
# A crash stops the run and leaves its input in fuzz/out/import/crashes/.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
seconds=${1:-300}
out="$top/fuzz/out/import"
corpus="${STONEWISE_CORPUS_DIR:-$top/../shared/corpus}"
mkdir -p "$out/obj" "$out/corpus" "$out/crashes"

CXX=${CXX:-clang++}
flags=(-std=c++20 -g -O1 -fno-omit-frame-pointer -I"$top/src" -I"$top/tests"
       -fsanitize=address,undefined -fno-sanitize-recover=all)
sources=("$top"/src/record/*.cpp "$top"/src/board/*.cpp "$top"/src/formats/*.cpp "$top"/src/store/*.cpp
         "$top"/src/app/Importer.cpp)
source "$top/fuzz/fuzz-common.sh"
fuzz_objects "${sources[@]}"
"$CXX" "${flags[@]}" -fsanitize=fuzzer "$top/fuzz/import/FuzzImport.cpp" "${objects[@]}" -ldl -o "$out/fuzz_import"

# Seeds: each game record of the corpus as one new-game import into the group of its size.
if [[ -z "$(ls -A "$out/corpus")" ]]; then
  i=0
  while IFS= read -r -d '' f; do
    python3 - "$f" "$out/corpus/seed$i" <<'PY'
import sys
data = open(sys.argv[1], 'rb').read()[:65000]
ops = bytes([0x30, len(data) & 255, len(data) >> 8]) + data
ops += bytes([0x38, len(data) & 255, len(data) >> 8]) + data   # again, merged: a unique name
ops += bytes([0x31, len(data) & 255, len(data) >> 8]) + data   # and over the first
open(sys.argv[2], 'wb').write(ops)
PY
    i=$((i + 1))
  done < <(find "$corpus" -name '*.sgf' -size -20k -print0 | sort -z | head -z -n 300)
fi

echo "== import: ${seconds}s"
status=0
if ! "$out/fuzz_import" "$out/corpus" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 \
     -artifact_prefix="$out/crashes/" -print_final_stats=1 2>"$out/import.log"; then
  echo "!! import found a fault; see $out/import.log and $out/crashes/"
  status=1
fi
grep -E "^stat::number_of_executed_units|^#[0-9]+.*DONE" "$out/import.log" | tail -2 || true
exit $status
