#!/usr/bin/env bash
# Builds the fuzz target of reading Mail Go texts with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) into fuzz/out/mailgo and runs it for a while, seeded with a few
# texts in the forms the program writes (Japanese, English, handicap stones, a branch, comments
# over several lines, a quoted reply).
#   fuzz/mailgo/run.sh [SECONDS]
# A crash stops the run and leaves its input in fuzz/out/mailgo/crashes/mailgo/.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$top/fuzz/fuzz-common.sh"
declare -A targets=([mailgo]=FuzzMailText.cpp)
fuzz_setup mailgo 300 "$@"
fuzz_objects "$top"/src/record/*.cpp "$top"/src/board/*.cpp "$top"/src/mailgo/Mail{Composer,Reader,TextFormat,Vocabulary}.cpp
mkdir -p "$out/corpus/mailgo"

# Seeds: the first byte picks the options (see FuzzMailText.cpp), the rest is the text.
if [[ -z "$(ls -A "$out/corpus/mailgo")" ]]; then
  seed() { printf "$1"; printf '%s' "$2"; }
  seed '\x03' $'【対局】　game\n１３手　５、十三\u3000\u3000いい手\\r\n次は？\n１４手　パス\n' > "$out/corpus/mailgo/japanese"
  seed '\x02' $'[GAME] game\n[SETTINGS] A,B,0,6.5,19\nMOVE 13 5,5  '"$(printf 'x%.0s' {1..32})"$'\\\nrest of it\nMOVE 14 PASS\n' > "$out/corpus/mailgo/english"
  seed '\x13' $'[GAME] game\n[SETTINGS] A,B,4,0.5,19\nSB 4,4\nSB 10,4\nSB 4,10\nSB 10,10\n' > "$out/corpus/mailgo/stones"
  seed '\x12' $'[GAME] game\nMOVE 12 5,5\nMOVE 13 6,6\n' > "$out/corpus/mailgo/handicap"
  seed '\x03' $'[GAME] game\n[BRANCH] 10\nMOVE 11 7,7\nMOVE 12 8,8  a\\r\nb\n' > "$out/corpus/mailgo/branch"
  seed '\x03' $'【対局】 game\n【参考】 12\n第十二手　８、十\n' > "$out/corpus/mailgo/reference"
  seed '\x42' $'Hi\n> 碁会 第3局\n> MOVE 13 5,5\n> MOVE 14 5,6\n-- \nsig\n' > "$out/corpus/mailgo/quoted"
  seed '\x23' $'[GAME] game\r\nMOVE 13 13,13\r\nMOVE 14 14,1\r\n' > "$out/corpus/mailgo/small-board"
fi

fuzz_targets "$top/fuzz/mailgo"
