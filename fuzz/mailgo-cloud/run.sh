#!/usr/bin/env bash
# Builds the fuzz targets of the cloud registry's readers (CloudData.dat, CloudTime%02d.dat) with
# clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) into fuzz/out/mailgo-cloud and
# runs each for a while.
#   fuzz/mailgo-cloud/run.sh [SECONDS_PER_TARGET] [TARGET...]
# A crash stops the run and leaves its input in fuzz/out/mailgo-cloud/crashes/TARGET/.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
seconds=${1:-180}
shift || true
out="$top/fuzz/out/mailgo-cloud"
mkdir -p "$out/obj"

CXX=${CXX:-clang++}
flags=(-std=c++20 -g -O1 -fno-omit-frame-pointer -I"$top/src"
       -fsanitize=address,undefined -fno-sanitize-recover=all)

# The readers and what they need: the record (with the Japanese texts), the board and the formats
# (the store keeps SGF copies), the store and the registry.
sources=("$top"/src/record/*.cpp "$top"/src/board/*.cpp "$top"/src/formats/*.cpp "$top"/src/store/*.cpp
         "$top"/src/mailgo/Cloud*.cpp)
source "$top/fuzz/fuzz-common.sh"
fuzz_objects "${sources[@]}"

declare -A targets=(
  [cloud_data]=FuzzCloudData.cpp
  [cloud_time]=FuzzCloudTime.cpp
)
names=("$@")
[[ ${#names[@]} -eq 0 ]] && names=(cloud_data cloud_time)

for name in "${names[@]}"; do mkdir -p "$out/corpus/$name" "$out/crashes/$name"; done
"$CXX" "${flags[@]}" "$top/fuzz/mailgo-cloud/MakeSeeds.cpp" "${objects[@]}" -ldl -o "$out/make-seeds"
"$out/make-seeds" "$out/corpus"

status=0
for name in "${names[@]}"; do
  "$CXX" "${flags[@]}" -fsanitize=fuzzer "$top/fuzz/mailgo-cloud/${targets[$name]}" "${objects[@]}" -ldl \
    -o "$out/fuzz_$name"
  fuzz_run "$name" "$seconds" || status=1
done
exit $status
