#!/usr/bin/env bash
# Builds the fuzz targets of the pattern database's readers with clang (libFuzzer,
# AddressSanitizer, UndefinedBehaviorSanitizer) into fuzz/out/search and runs each for a while.
#   fuzz/search/run.sh [SECONDS_PER_TARGET] [TARGET...]
# A crash stops the run and leaves its input in fuzz/out/search/crashes/TARGET/.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$top/fuzz/fuzz-common.sh"
declare -A targets=([pattern_file]=FuzzPatternFile.cpp [pattern_database]=FuzzPatternDatabase.cpp
                    [composition]=FuzzComposition.cpp)
fuzz_setup search 180 "$@"

# The readers and everything below them.
fuzz_objects "$top"/src/{record,board,formats,store,search}/*.cpp
fuzz_seeds "$top/fuzz/search/MakeSeeds.cpp"
fuzz_targets "$top/fuzz/search"
