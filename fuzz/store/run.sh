#!/usr/bin/env bash
# Builds the fuzz targets of the data store's readers with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) into fuzz/out/store and runs each for a while.
#   fuzz/store/run.sh [SECONDS_PER_TARGET] [TARGET...]
# A crash stops the run and leaves its input in fuzz/out/store/crashes/TARGET/.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$top/fuzz/fuzz-common.sh"
declare -A targets=(
  [settings]=FuzzSettingsFile.cpp [group_list]=FuzzGroupList.cpp [member_page]=FuzzMemberPage.cpp
  [game_list_page]=FuzzGameListPage.cpp [game_file]=FuzzGameFile.cpp [search_keys]=FuzzSearchKeys.cpp
  [language_list]=FuzzLanguageList.cpp [result_groups]=FuzzResultGroups.cpp
  [result_records]=FuzzResultRecords.cpp)
fuzz_setup store 180 "$@"

# The readers and what they need: the record (with the Japanese texts), the board and the formats
# (the store keeps SGF copies), and the store.
fuzz_objects "$top"/src/{record,board,formats,store}/*.cpp
# A first corpus written by the store itself.
fuzz_seeds "$top/fuzz/store/MakeSeeds.cpp"
fuzz_targets "$top/fuzz/store"
