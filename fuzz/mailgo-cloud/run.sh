#!/usr/bin/env bash
# Builds the fuzz targets of the cloud registry's readers (CloudData.dat, CloudTime%02d.dat) with
# clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) into fuzz/out/mailgo-cloud and
# runs each for a while.
#   fuzz/mailgo-cloud/run.sh [SECONDS_PER_TARGET] [TARGET...]
# A crash stops the run and leaves its input in fuzz/out/mailgo-cloud/crashes/TARGET/.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$top/fuzz/fuzz-common.sh"
declare -A targets=([cloud_data]=FuzzCloudData.cpp [cloud_time]=FuzzCloudTime.cpp)
fuzz_setup mailgo-cloud 180 "$@"

# The readers and what they need: the record (with the Japanese texts), the board and the formats
# (the store keeps SGF copies), the store and the registry.
fuzz_objects "$top"/src/{record,board,formats,store}/*.cpp "$top"/src/mailgo/Cloud*.cpp
fuzz_seeds "$top/fuzz/mailgo-cloud/MakeSeeds.cpp"
fuzz_targets "$top/fuzz/mailgo-cloud"
