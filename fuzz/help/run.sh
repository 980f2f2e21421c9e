#!/usr/bin/env bash
# Builds the fuzz targets of the help's readers with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) into fuzz/out/help and runs each for a while, seeded with the
# program's own help text.
#   fuzz/help/run.sh [SECONDS_PER_TARGET] [TARGET...]
# A crash stops the run and leaves its input in fuzz/out/help/crashes/TARGET/.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$top/fuzz/fuzz-common.sh"
declare -A targets=([text]=FuzzHelpText.cpp [index]=FuzzHelpIndex.cpp)
fuzz_setup help 120 "$@"

fuzz_objects "$top"/src/{record,board,formats,store,help}/*.cpp

# Seeds: the help texts the build generates, and an index and pictures file made from them.
for name in "${names[@]}"; do mkdir -p "$out/corpus/$name"; done
for f in "$top"/build/src/qt/HelpContents.txt "$top"/build/src/qt/english/HelpContents.txt; do
  [[ -f "$f" && -d "$out/corpus/text" ]] && head -c 60000 "$f" > "$out/corpus/text/$(basename "$(dirname "$f")")-seed"
done
[[ -d "$out/corpus/index" ]] && printf '\x23\x10\x01\x00' > "$out/corpus/index/header-seed"

fuzz_targets "$top/fuzz/help"
