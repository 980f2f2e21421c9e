#!/usr/bin/env bash
# Builds the fuzz targets of the data store's readers with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) into fuzz/out/store and runs each for a while.
#   fuzz/store/run.sh [SECONDS_PER_TARGET] [TARGET...]
# A crash stops the run and leaves its input in fuzz/out/store/crashes/TARGET/.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
seconds=${1:-180}
shift || true
out="$top/fuzz/out/store"
mkdir -p "$out/obj"

CXX=${CXX:-clang++}
flags=(-std=c++20 -g -O1 -fno-omit-frame-pointer -I"$top/src"
       -fsanitize=address,undefined -fno-sanitize-recover=all)

# The readers and what they need: the record (with the Japanese texts), the board and the formats
# (the store keeps SGF copies), and the store.
sources=("$top"/src/record/*.cpp "$top"/src/board/*.cpp "$top"/src/formats/*.cpp "$top"/src/store/*.cpp)
source "$top/fuzz/fuzz-common.sh"
fuzz_objects "${sources[@]}"

declare -A targets=(
  [settings]=FuzzSettingsFile.cpp
  [group_list]=FuzzGroupList.cpp
  [member_page]=FuzzMemberPage.cpp
  [game_list_page]=FuzzGameListPage.cpp
  [game_file]=FuzzGameFile.cpp
  [search_keys]=FuzzSearchKeys.cpp
  [language_list]=FuzzLanguageList.cpp
  [result_groups]=FuzzResultGroups.cpp
  [result_records]=FuzzResultRecords.cpp
)
names=("$@")
[[ ${#names[@]} -eq 0 ]] && names=(settings group_list member_page game_list_page game_file search_keys language_list result_groups result_records)

# A first corpus written by the store itself.
"$CXX" "${flags[@]}" "$top/fuzz/store/MakeSeeds.cpp" "${objects[@]}" -ldl -o "$out/make-seeds"
for name in "${names[@]}"; do mkdir -p "$out/corpus/$name" "$out/crashes/$name"; done
"$out/make-seeds" "$out/corpus"

status=0
for name in "${names[@]}"; do
  "$CXX" "${flags[@]}" -fsanitize=fuzzer "$top/fuzz/store/${targets[$name]}" "${objects[@]}" -ldl -o "$out/fuzz_$name"
  fuzz_run "$name" "$seconds" || status=1
done
exit $status
