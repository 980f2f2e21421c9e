#!/usr/bin/env bash
# Starts the program, then starts it again with a game file (and once more without one) many
# times: every later start must hand its request to the running program and end with code 0.
set -u
program=$1
runs=${2:-25}
work=$(mktemp -d)
first=
cleanup() {
    [[ -n $first ]] && kill "$first" 2>/dev/null && wait "$first" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
export QT_QPA_PLATFORM=offscreen
# The program's own data folder and socket folder, apart from any other run on this machine.
export STONEWISE_DATA_DIR=$work/data TMPDIR=$work/tmp
mkdir -p "$STONEWISE_DATA_DIR" "$TMPDIR"
printf '(;GM[1]FF[4]SZ[19];B[pd];W[dp])' >"$work/game.sgf"
cp "$work/game.sgf" "$work/g.sgf"
cd "$work"

"$program" >"$work/first.log" 2>&1 &
first=$!
for _ in $(seq 300); do
    compgen -G "$TMPDIR/stonewise-*" >/dev/null && break
    kill -0 "$first" 2>/dev/null || { echo "the first start ended early"; cat "$work/first.log"; exit 1; }
    sleep 0.1
done
compgen -G "$TMPDIR/stonewise-*" >/dev/null || { echo "the first start never listened"; exit 1; }

failures=0
for i in $(seq "$runs"); do
    case $((i % 3)) in
        0) args=() ;;                    # no file: the running program comes to the front
        1) args=("$work/game.sgf") ;;
        2) args=("g.sgf") ;;             # a short relative name
    esac
    timeout 30 "$program" "${args[@]}" >"$work/second.log" 2>&1
    code=$?
    if (( code != 0 )); then
        failures=$((failures + 1))
        echo "start $i ended with code $code"
        cat "$work/second.log"
    fi
done
kill -0 "$first" 2>/dev/null || { echo "the first start did not survive the later ones"; exit 1; }
echo "$failures of $runs later starts failed"
(( failures == 0 ))
