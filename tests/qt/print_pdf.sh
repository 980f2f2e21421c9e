#!/usr/bin/env bash
# The printed page of a real 255-move game written as PDF without a window: one page whose text holds
# the title, the players and the list of distant moves, and whose rendering shows the diagram's
# stones. Arguments that are wrong, a game file that cannot be read and a PDF path that cannot be
# written each end with their message and exit code.
#   print_pdf.sh STONEWISE CORPUS-FOLDER
set -u
stonewise=$1
game=$2/pro/kombilo/Gosei-Gos23-T21.sgf
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work XDG_RUNTIME_DIR=$work STONEWISE_DATA_DIR=$work/data
unset QT_QPA_PLATFORM DISPLAY WAYLAND_DISPLAY
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

[[ -f $game ]] || { echo "corpus game missing: $game"; exit 1; }
"$stonewise" --print "$game" --pdf "$work/page.pdf" --numbers --from 1 2>"$work/err" || fail "print exited $? ($(cat "$work/err"))"
pages=$(pdfinfo "$work/page.pdf" 2>/dev/null | awk '/^Pages:/ {print $2}')
[[ $pages == 1 ]] || fail "pages: '$pages'"
pdftotext -raw "$work/page.pdf" "$work/page.txt" || fail "pdftotext"
for text in "23rd Gosei,2" "白番： Yamashiro Hiroshi" "黒番： Omori Yasushi" "勝敗： 黒2.5目勝ち" \
  "最終手： 255 （" "対局日： 1998/ 2/13"; do
  grep -qF -- "$text" "$work/page.txt" || fail "text lacks '$text'"
done
# The list of distant moves: number and point, one a line, in order.
listed=$(grep -cE '^ *[0-9]+ （[^（）]+，[^（）]+）$' "$work/page.txt")
((listed >= 10)) || fail "only $listed distant moves listed"
grep -oE '^ *[0-9]+ （' "$work/page.txt" | tr -dc '0-9\n' | sort -nc || fail "list not in order"
# Rendered, the diagram's black stones make dark pixels.
pdftoppm -r 40 -gray "$work/page.pdf" "$work/page" || fail "pdftoppm"
dark=$(od -An -v -tu1 "$work"/page-1.pgm | tr -s ' ' '\n' | awk '$1 != "" && $1 < 40 {n++} END {print n + 0}')
((dark > 2000)) || fail "only $dark dark pixels"

expect_failure() {
  local code=$1 message=$2
  shift 2
  "$stonewise" "$@" >/dev/null 2>"$work/err"
  local got=$?
  [[ $got == "$code" ]] || fail "$* exited $got, not $code"
  grep -qF -- "$message" "$work/err" || fail "$* said '$(cat "$work/err")'"
}
expect_failure 1 "PDFファイルに書き込めませんでした。" --print "$game" --pdf "$work/no/such/folder/page.pdf"
expect_failure 1 "$work/missing.sgf" --print "$work/missing.sgf" --pdf "$work/x.pdf"
expect_failure 2 "--from takes a move number" --print "$game" --pdf "$work/x.pdf" --from zero
expect_failure 2 "--pdf OUT.pdf is missing" --print "$game"
[[ ! -e $work/x.pdf ]] || fail "a refused print wrote a file"
exit $((failures > 0))
