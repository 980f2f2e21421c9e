#!/usr/bin/env bash
# Builds the fuzz target of importing into the store with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) into fuzz/out/import and runs it for a while, seeded with the corpus
# of other programs' game records (each file one new-game import).
#   fuzz/import/run.sh [SECONDS]
# A crash stops the run and leaves its input in fuzz/out/import/crashes/import/.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
corpus="${STONEWISE_CORPUS_DIR:-$top/../shared/corpus}"
source "$top/fuzz/fuzz-common.sh"
declare -A targets=([import]=FuzzImport.cpp)
fuzz_setup import 300 "$@"
fuzz_objects "$top"/src/{record,board,formats,store}/*.cpp "$top"/src/app/Importer.cpp
mkdir -p "$out/corpus/import"

# Seeds: each game record of the corpus as one new-game import into the group of its size.
if [[ -z "$(ls -A "$out/corpus/import")" ]]; then
  i=0
  while IFS= read -r -d '' f; do
    python3 - "$f" "$out/corpus/import/seed$i" <<'PY'
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

fuzz_targets "$top/fuzz/import"
