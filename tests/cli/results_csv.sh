#!/bin/sh
# stonewise-cli results and csv on a fresh data folder: groups and records added from the command
# line, a refused record, the player's tally, and a CSV file that Python's csv module reads back with
# the columns and Japanese text intact; an export into a missing folder fails and leaves no file.
set -eu
cli=$1
command -v python3 >/dev/null || exit 77
d=$(mktemp -d)
trap 'rm -rf "$d"' EXIT
lib=$d/lib
"$cli" results --data "$lib" --new-group 碁会所 | grep -qx 'added result group 1: 碁会所'
"$cli" results --data "$lib" 碁会所 --add --date 2025-05-01 --black 私 --white 鈴木 --result B+2.5 \
  --name 第1局 --place 碁会所 --impressions 'よく, "打てた"' >/dev/null
"$cli" results --data "$lib" 1 --add --date 2025/06/01 --ended 2025-06-02 --black 鈴木 --white 私 --result W+T \
  --name 第2局 --place メール --handicap 2 >/dev/null
set +e
"$cli" results --data "$lib" 1 --add --date 2025-06-01 --black 鈴木 --white 私 --result B+3 --name 第3局 \
  2>"$d/err" >/dev/null
code=$?
set -e
test $code -eq 2
grep -q '対局場所名を入力して下さい。' "$d/err"
"$cli" results --data "$lib" | grep -qx '1	2	碁会所'
"$cli" results --data "$lib" 1 --player 私 > "$d/list"
grep -qx '私	wins 2	losses 0	jigo 0' "$d/list"
grep -qx '2	2025/ 6/ 1	2025/ 6/ 2	鈴木	私	２子	白時間切れ勝ち	第2局	メール	' "$d/list"
"$cli" csv --data "$lib" 1 "$d/out.csv" | grep -q '^CSV出力完了：'
python3 - "$d/out.csv" <<'PY'
import csv, io, sys
raw = open(sys.argv[1], 'rb').read()
assert raw[:2] == b'\xff\xfe', raw[:2]
text = raw[2:].decode('utf-16-le')
assert text.startswith('碁会所\n対局日\t終局日\t'), text[:20]
rows = list(csv.reader(io.StringIO(text, newline=''), delimiter='\t'))
assert rows[0] == ['碁会所'], rows[0]
assert rows[1] == ['対局日', '終局日', '黒番', '白番', '手合割', '勝敗', '対局名', '対局場所', '感想'], rows[1]
assert rows[2] == ['2025/ 5/ 1', '2025/ 5/ 1', '私', '鈴木', '６.５目', '黒2.5目勝ち', '第1局', '碁会所',
                   'よく, "打てた"', ''], rows[2]
assert rows[3][4:7] == ['２子', '白時間切れ勝ち', '第2局'], rows[3]
assert len(rows) == 4
PY
set +e
"$cli" csv --data "$lib" 1 "$d/missing/out.csv" 2>/dev/null
code=$?
set -e
test $code -eq 1
test ! -e "$d/missing/out.csv"
"$cli" results --data "$lib" 1 --remove 1 >/dev/null
"$cli" results --data "$lib" | grep -qx '1	1	碁会所'
"$cli" results --data "$lib" --remove-group 碁会所 >/dev/null
test ! -e "$lib/GameResult/List00000.dat"
