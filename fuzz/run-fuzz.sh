#!/usr/bin/env bash
# Builds the game-record fuzzer with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# in build-fuzz/ and runs it for the given number of seconds (default 600), seeded with the corpus of
# other programs' game records and the tests' fixtures. New inputs and crashes go to fuzz/out/.
#   fuzz/run-fuzz.sh [SECONDS] [extra libFuzzer options...]
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-600}
shift || true
build="$top/build-fuzz"
corpus="${STONEWISE_CORPUS_DIR:-$top/../shared/corpus}"
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -g -O1"
if [[ ! -f "$build/build.ninja" ]]; then
  cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
    -DSTONEWISE_BUILD_TESTS=OFF -DSTONEWISE_BUILD_BENCH=OFF -DSTONEWISE_BUILD_GUI=OFF >/dev/null
fi
cmake --build "$build" --target sw_formats -j2
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$top/src" -I"$top/tests" \
  "$top/fuzz/GameRecordFuzzer.cpp" "$top/tests/formats/RecordComparison.cpp" \
  "$build/src/libsw_formats.a" "$build/src/libsw_board.a" \
  "$build/src/libsw_record.a" -ldl -o "$build/game-record-fuzzer"
out="$top/fuzz/out"
mkdir -p "$out/corpus" "$out/crashes"
# Seeds: each game record once per entry point (the first byte picks it).
if [[ -z "$(ls -A "$out/corpus")" ]]; then
  i=0
  while IFS= read -r -d '' f; do
    for sel in 0 1 2 4 8; do
      { printf "\\x$(printf %02x "$sel")"; head -c 65536 "$f"; } > "$out/corpus/seed-$i-$sel"
    done
    i=$((i + 1))
  done < <(find "$corpus" "$top/tests/data/formats" -type f \( -iname '*.sgf' -o -iname '*.ugf' -o -iname '*.ugi' \) -print0)
fi
cd "$out/crashes"
"$build/game-record-fuzzer" "$out/corpus" -max_total_time="$seconds" -max_len=65536 -timeout=10 \
  -rss_limit_mb=2048 -print_final_stats=1 "$@"
