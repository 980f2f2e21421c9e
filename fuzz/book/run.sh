#!/usr/bin/env bash
# Builds the fuzz targets of the Go book readers with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) into fuzz/out/book and runs each for a while.
#   fuzz/book/run.sh [SECONDS_PER_TARGET] [TARGET...]
# A crash stops the run and leaves its input in fuzz/out/book/crashes/TARGET/.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
seconds=${1:-180}
shift || true
out="$top/fuzz/out/book"
mkdir -p "$out/obj"

CXX=${CXX:-clang++}
flags=(-std=c++20 -g -O1 -fno-omit-frame-pointer -I"$top/src"
       -fsanitize=address,undefined -fno-sanitize-recover=all)

# The readers and what they need: every layer up to the books.
sources=("$top"/src/record/*.cpp "$top"/src/board/*.cpp "$top"/src/formats/*.cpp "$top"/src/store/*.cpp
         "$top"/src/book/*.cpp)
source "$top/fuzz/fuzz-common.sh"
fuzz_objects "${sources[@]}"

declare -A targets=(
  [book_file]=FuzzBookFile.cpp
  [arrays]=FuzzBookArrays.cpp
  [answer_data]=FuzzAnswerData.cpp
  [installer_list]=FuzzInstallerList.cpp
  [mp3]=FuzzMp3Frames.cpp
)
names=("$@")
[[ ${#names[@]} -eq 0 ]] && names=(book_file arrays answer_data installer_list mp3)

# A first corpus written by the book tool and the lists themselves.
"$CXX" "${flags[@]}" "$top/fuzz/book/MakeSeeds.cpp" "${objects[@]}" -ldl -o "$out/make-seeds"
for name in "${names[@]}"; do mkdir -p "$out/corpus/$name" "$out/crashes/$name"; done
"$out/make-seeds" "$out/corpus"

status=0
for name in "${names[@]}"; do
  "$CXX" "${flags[@]}" -fsanitize=fuzzer "$top/fuzz/book/${targets[$name]}" "${objects[@]}" -ldl -o "$out/fuzz_$name"
  fuzz_run "$name" "$seconds" || status=1
done
exit $status
