#!/bin/sh
# stonewise-cli pattern: build a database from a group's games, then search it from a file; the
# same with an installed Go book (the sample book $2, and $3 the record of its page 3).
set -eu
cli=$1
book=$2
page=$3
d=$(mktemp -d)
trap 'rm -rf "$d"' EXIT

# Game a, the same game mirrored left to right, and another opening.
printf '(;GN[a]SZ[19];B[pd];W[dp];B[pq];W[dd];B[qk];W[fq];B[cf])' > "$d/a.sgf"
printf '(;GN[b]SZ[19];B[dd];W[pp];B[dq];W[pd];B[ck];W[nq];B[qf])' > "$d/b.sgf"
printf '(;GN[c]SZ[19];B[qd];W[dc];B[pq];W[dp];B[oc];W[fq];B[qn])' > "$d/c.sgf"
"$cli" import --data "$d/lib" --group 4 "$d/a.sgf" "$d/b.sgf" "$d/c.sgf" > /dev/null

"$cli" pattern build --data "$d/lib" --kind general --group 4 > "$d/built" 2> "$d/progress"
grep -qx '構築完了しました。 構成済みの棋譜は3個、パターン数は3個です。' "$d/built"
grep -q 'pattern build: 3/3' "$d/progress"
test -f "$d/lib/Group100/SRC0_Header.dat"
test -f "$d/lib/Group100/constructionList.dat"

# The whole board after six moves: games 1 and 2, in the panel's order.
"$cli" pattern search --data "$d/lib" --kind general "$d/a.sgf" --move 6 --type game > "$d/hits"
test "$(sed -n 1p "$d/hits")" = '検索で2個の棋譜が見付かりました。'
test "$(sed -n 2p "$d/hits" | cut -f3-6)" = "$(printf '4\t1\t0\t6')"
test "$(sed -n 3p "$d/hits" | cut -f3-6)" = "$(printf '4\t2\t0\t6')"
sed -n 2p "$d/hits" | grep -q '^一般棋譜	.* (a)	'
test "$(wc -l < "$d/hits")" -eq 3

# Game c's lower left corner after move 6 is game a's, and game b's lower right; no game is a fuseki.
"$cli" pattern search --data "$d/lib" --kind general "$d/c.sgf" --move 6 --type corner | cut -f1,3,4 > "$d/corner"
printf '検索で3個の棋譜が見付かりました。\n棋譜：左下\t4\t1\n棋譜：右下\t4\t2\n棋譜：左下\t4\t3\n' | cmp -s - "$d/corner"
"$cli" pattern search --data "$d/lib" --kind general "$d/a.sgf" --type fuseki > "$d/none"
grep -qx '一致する棋譜は在りません。' "$d/none"

# The sample book's records are reference records: its page 3 is found in its own corner, named by
# the book and the record, with the book's group number 1000 and its page as the game.
mkdir -p "$d/lib/BookFolder"
cp "$book" "$d/lib/BookFolder/"
"$cli" pattern build --data "$d/lib" --kind reference --book 1 > "$d/built" 2> /dev/null
grep -q '構成済みの棋譜は1個' "$d/built"
"$cli" pattern search --data "$d/lib" --kind reference "$page" --type corner | cut -f1-4 > "$d/book"
printf '検索で1個の棋譜が見付かりました。\n棋譜：左上\t囲碁のルール入門 (石を取る)\t1000\t2\n' | cmp -s - "$d/book"

# Wrong arguments give 2; too few stones, no database, or a damaged one give 1 with the message.
set +e
"$cli" pattern search --data "$d/lib" --kind general "$d/a.sgf" --type sideways 2>/dev/null; test $? -eq 2 || exit 1
"$cli" pattern build --data "$d/lib" --kind nine --group 4 2>/dev/null; test $? -eq 2 || exit 1
"$cli" pattern build --data "$d/lib" --kind reference --book 2 2>/dev/null; test $? -eq 1 || exit 1
"$cli" pattern search --data "$d/lib" --kind general "$d/a.sgf" --move 4 --type game 2> "$d/err"; test $? -eq 1 || exit 1
grep -q '盤面の石が少ないため、検索出来ません。' "$d/err" || exit 1
"$cli" pattern search --data "$d/lib" --kind joseki "$d/a.sgf" --type joseki 2> "$d/err"; test $? -eq 1 || exit 1
grep -qx '検索データが在りません。' "$d/err" || exit 1
head -c 13 "$d/lib/Group100/SRC0_Data2.dat" > "$d/short" && cp "$d/short" "$d/lib/Group100/SRC0_Data2.dat"
"$cli" pattern search --data "$d/lib" --kind general "$d/a.sgf" --type game > "$d/out" 2> "$d/err"; test $? -eq 1 || exit 1
grep -q '検索データが壊れています' "$d/err" || exit 1
test ! -s "$d/out" || exit 1
exit 0
