#!/usr/bin/env bash
# Builds the fuzz targets of the Go book readers with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) into fuzz/out/book and runs each for a while.
#   fuzz/book/run.sh [SECONDS_PER_TARGET] [TARGET...]
# A crash stops the run and leaves its input in fuzz/out/book/crashes/TARGET/.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$top/fuzz/fuzz-common.sh"
declare -A targets=([book_file]=FuzzBookFile.cpp [arrays]=FuzzBookArrays.cpp [answer_data]=FuzzAnswerData.cpp
                    [installer_list]=FuzzInstallerList.cpp [mp3]=FuzzMp3Frames.cpp)
fuzz_setup book 180 "$@"

# The readers and what they need: every layer up to the books.
fuzz_objects "$top"/src/{record,board,formats,store,book}/*.cpp
# A first corpus written by the book tool and the lists themselves.
fuzz_seeds "$top/fuzz/book/MakeSeeds.cpp"
fuzz_targets "$top/fuzz/book"
