#!/usr/bin/env bash
# Builds the fuzz targets of the help's readers with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) into fuzz/out/help and runs each for a while, seeded with the
# program's own help text.
#   fuzz/help/run.sh [SECONDS_PER_TARGET] [TARGET...]
# A crash stops the run and leaves its input in fuzz/out/help/crashes/TARGET/.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
seconds=${1:-120}
shift || true
out="$top/fuzz/out/help"
mkdir -p "$out/obj"

CXX=${CXX:-clang++}
flags=(-std=c++20 -g -O1 -fno-omit-frame-pointer -I"$top/src"
       -fsanitize=address,undefined -fno-sanitize-recover=all)

sources=("$top"/src/record/*.cpp "$top"/src/board/*.cpp "$top"/src/formats/*.cpp "$top"/src/store/*.cpp
         "$top"/src/help/*.cpp)
source "$top/fuzz/fuzz-common.sh"
fuzz_objects "${sources[@]}"

declare -A targets=([text]=FuzzHelpText.cpp [index]=FuzzHelpIndex.cpp)
names=("$@")
[[ ${#names[@]} -eq 0 ]] && names=(text index)

# Seeds: the help texts the build generates, and an index and pictures file made from them.
for name in "${names[@]}"; do mkdir -p "$out/corpus/$name" "$out/crashes/$name"; done
for f in "$top"/build/src/qt/HelpContents.txt "$top"/build/src/qt/english/HelpContents.txt; do
  [[ -f "$f" ]] && head -c 60000 "$f" > "$out/corpus/text/$(basename "$(dirname "$f")")-seed"
done
[[ -d "$out/corpus/index" ]] && printf '\x23\x10\x01\x00' > "$out/corpus/index/header-seed"

status=0
for name in "${names[@]}"; do
  "$CXX" "${flags[@]}" -fsanitize=fuzzer "$top/fuzz/help/${targets[$name]}" "${objects[@]}" -ldl -o "$out/fuzz_$name"
  fuzz_run "$name" "$seconds" || status=1
done
exit $status
