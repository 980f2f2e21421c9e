#!/usr/bin/env bash
# Builds the fuzz targets of the pattern database's readers with clang (libFuzzer,
# AddressSanitizer, UndefinedBehaviorSanitizer) into fuzz/out/search and runs each for a while.
#   fuzz/search/run.sh [SECONDS_PER_TARGET] [TARGET...]
# A crash stops the run and leaves its input in fuzz/out/search/crashes/TARGET/.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
seconds=${1:-180}
shift || true
out="$top/fuzz/out/search"
mkdir -p "$out/obj"

CXX=${CXX:-clang++}
flags=(-std=c++20 -g -O1 -fno-omit-frame-pointer -I"$top/src" -I"$top/fuzz/search"
       -fsanitize=address,undefined -fno-sanitize-recover=all)

# The readers and everything below them, as an archive so that only what is used is linked.
sources=("$top"/src/record/*.cpp "$top"/src/board/*.cpp "$top"/src/formats/*.cpp "$top"/src/store/*.cpp
         "$top"/src/search/*.cpp)
for src in "${sources[@]}"; do
  obj="$out/obj/$(echo "${src#$top/}" | tr / _).o"
  if [[ ! -f "$obj" || "$src" -nt "$obj" ]]; then echo "$src $obj"; fi
done | xargs -r -P2 -n2 sh -c "$CXX ${flags[*]} -fsanitize=fuzzer-no-link -c \"\$0\" -o \"\$1\""
rm -f "$out/core.a"
ar rcs "$out/core.a" "$out"/obj/*.o

declare -A targets=(
  [pattern_file]=FuzzPatternFile.cpp
  [pattern_database]=FuzzPatternDatabase.cpp
  [composition]=FuzzComposition.cpp
)
names=("$@")
[[ ${#names[@]} -eq 0 ]] && names=(pattern_file pattern_database composition)

"$CXX" "${flags[@]}" "$top/fuzz/search/MakeSeeds.cpp" "$out/core.a" -ldl -o "$out/make-seeds"
for name in "${names[@]}"; do mkdir -p "$out/corpus/$name" "$out/crashes/$name"; done
"$out/make-seeds" "$out/corpus"

source "$top/fuzz/fuzz-common.sh"
status=0
for name in "${names[@]}"; do
  "$CXX" "${flags[@]}" -fsanitize=fuzzer "$top/fuzz/search/${targets[$name]}" "$out/core.a" -ldl -o "$out/fuzz_$name"
  fuzz_run "$name" "$seconds" || status=1
done
exit $status
