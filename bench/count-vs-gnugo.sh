#!/usr/bin/env bash
# The dead-stone proposal judged by the recorded results: every finished game of the corpus whose
# result is a count (B+n, W+n, 0) is loaded at its final position, counted by stonewise-cli count
# and by GNU Go's `--score aftermath`, and each result after komi compared with the recorded one.
# Prints the share of exact results and the time per game for both, on 19 lines and 13 lines.
# A game whose RU names rules that count the area (Chinese, AGA, New Zealand, ...) recorded an
# area result: the rules-aware figures compare it with our area count of the same proposal
# (`count --rules RU`) and with GNU Go's `--chinese-rules` count, given the same handicap
# compensation ours adds, since GNU Go adds none; the territory-only figures count every game by
# territory, as before.
#   bench/count-vs-gnugo.sh [BUILD]        (GNUGO=0: ours only; LIST=1: one line per game)
# GNU Go takes seconds per game: its result and time are kept per file content (and rules) in
# BUILD/gnugo-scores.tsv (GNUGO_CACHE), so later runs only time our side. HOLDOUT=1 also prints the
# figures of every fifth game apart from the rest.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
cli=$build/src/cli/stonewise-cli
corpus=${STONEWISE_CORPUS_DIR:-$top/../shared/corpus}
gnugo=$(command -v gnugo || echo /usr/games/gnugo)
use_gnugo=${GNUGO:-1}
[[ -x "$gnugo" ]] || use_gnugo=0
cache=${GNUGO_CACHE:-$build/gnugo-scores.tsv}
touch "$cache"
declare -A cached_re cached_ms
while IFS=$'\t' read -r sum r t; do
    cached_re[$sum]=$r
    cached_ms[$sum]=$t
done <"$cache"
[[ -d "$corpus" ]] || { echo "corpus not found: $corpus" >&2; exit 1; }

# "B+3.5" → "-3.5", "W+0.5" → "0.5", "0"/"Draw"/"Jigo" → "0": the result after komi seen from white.
normalise() {
    case "$1" in
    B+*) awk -v v="${1#B+}" 'BEGIN { printf "%g", -v }' ;;
    W+*) awk -v v="${1#W+}" 'BEGIN { printf "%g", v }' ;;
    0 | Draw | Jigo | 0.0) echo 0 ;;
    *) echo "?" ;;
    esac
}
ms() { echo $(( ($(date +%s%N) - $1) / 1000000 )); }

declare -A games ours_ok gnugo_ok ours_ms gnugo_ms terr_ok gnugo_terr_ok
for size in 19 13 held terr; do
    games[$size]=0; ours_ok[$size]=0; gnugo_ok[$size]=0; ours_ms[$size]=0; gnugo_ms[$size]=0
    terr_ok[$size]=0; gnugo_terr_ok[$size]=0
done
# GNU Go's result of a file under its default (Japanese) or Chinese rules, from the cache or run.
gnugo_result() {
    local f=$1 key=$2 rules=$3 t line
    if [[ -z "${cached_re[$key]:-}" ]]; then
        t=$(date +%s%N)
        line=$("$gnugo" --score aftermath $rules -l "$f" 2>/dev/null | grep -E '^(Black|White) wins by|^Jigo' | head -1) || true
        case "$line" in
        Black*) cached_re[$key]="B+$(awk '{print $4}' <<<"$line")" ;;
        White*) cached_re[$key]="W+$(awk '{print $4}' <<<"$line")" ;;
        Jigo*) cached_re[$key]=0 ;;
        *) cached_re[$key]="?" ;;
        esac
        cached_ms[$key]=$(ms "$t")
        printf '%s\t%s\t%s\n' "$key" "${cached_re[$key]}" "${cached_ms[$key]}" >>"$cache"
    fi
}
nth=0
while IFS= read -r -d '' f; do
    head=$(tr -d "\r\n\0" < "$f")
    re=$(grep -o 'RE\[[^]]*\]' <<<"$head" | head -1 | sed 's/^RE\[//; s/\]$//') || continue
    [[ "$re" =~ ^([BW]\+[0-9]+(\.[0-9]+)?|0|Draw|Jigo)$ ]] || continue
    size=$(grep -o 'SZ\[[0-9]*\]' <<<"$head" | head -1 | tr -dc 0-9) || true
    size=${size:-19}
    [[ "$size" == 19 || "$size" == 13 ]] || continue
    # One game per file, without variations at the end of the main line.
    [[ $(grep -o '(;' <<<"$head" | wc -l) -eq 1 ]] || continue
    want=$(normalise "$re")
    rules=$(grep -o 'RU\[[^]]*\]' <<<"$head" | head -1 | sed 's/^RU\[//; s/\]$//') || true
    t=$(date +%s%N)
    counted=$("$cli" count "$f" --rules "$rules" 2>/dev/null) || counted="?"
    ours_ms[$size]=$((ours_ms[$size] + $(ms "$t")))
    got=$(tail -1 <<<"$counted")
    # Area rules: the count says so, with white's handicap compensation; the territory-only
    # figure counts the same game again by territory.
    area=0
    compensation=0
    grep -q '^計算：石と地' <<<"$counted" && area=1
    [[ $area == 1 ]] && compensation=$(grep '^ハンディの補い' <<<"$counted" | tr -dc 0-9) || true
    compensation=${compensation:-0}
    territory=$got
    [[ $area == 1 ]] && { territory=$("$cli" count "$f" 2>/dev/null | tail -1) || territory="?"; }
    games[$size]=$((games[$size] + 1))
    mine=$(normalise "$got")
    [[ "$mine" == "$want" ]] && ours_ok[$size]=$((ours_ok[$size] + 1))
    [[ "$(normalise "$territory")" == "$want" ]] && terr_ok[$size]=$((terr_ok[$size] + 1))
    # Every fifth 19-line game is held out: the rules are never looked at against it.
    if [[ "$size" == 19 ]] && (( nth++ % 5 == 4 )); then
        games[held]=$((games[held] + 1))
        [[ "$mine" == "$want" ]] && ours_ok[held]=$((ours_ok[held] + 1))
    fi
    theirs="-"
    if [[ "$use_gnugo" == 1 ]]; then
        sum=$(sha1sum "$f" | cut -c1-40)
        gnugo_result "$f" "$sum" ""
        theirs_territory=${cached_re[$sum]}
        theirs=$theirs_territory
        spent=${cached_ms[$sum]}
        if [[ $area == 1 ]]; then
            gnugo_result "$f" "$sum-chinese" --chinese-rules
            theirs=${cached_re[$sum-chinese]}
            spent=${cached_ms[$sum-chinese]}
            v=$(normalise "$theirs")
            [[ "$v" != "?" ]] && theirs=$(awk -v v="$v" -v c="$compensation" \
                'BEGIN { s = v + c; if (s == 0) print "0"; else printf "%s+%g", (s > 0 ? "W" : "B"), (s > 0 ? s : -s) }')
        fi
        gnugo_ms[$size]=$((gnugo_ms[$size] + spent))
        [[ "$(normalise "$theirs")" == "$want" ]] && gnugo_ok[$size]=$((gnugo_ok[$size] + 1))
        [[ "$(normalise "$theirs_territory")" == "$want" ]] && gnugo_terr_ok[$size]=$((gnugo_terr_ok[$size] + 1))
    fi
    # The 19-line games under territory rules alone are also kept apart.
    if [[ "$size" == 19 && $area == 0 ]]; then
        games[terr]=$((games[terr] + 1))
        [[ "$mine" == "$want" ]] && ours_ok[terr]=$((ours_ok[terr] + 1))
        [[ "$(normalise "$theirs")" == "$want" ]] && gnugo_ok[terr]=$((gnugo_ok[terr] + 1))
    fi
    [[ "${LIST:-0}" == 1 ]] && printf '%s\t%s\tours %s\tgnugo %s\t%s\n' "${f#"$corpus"/}" "$re" "$got" "$theirs" "$rules"
done < <(find "$corpus" -type f -iname '*.sgf' -print0 | sort -z)

for size in 19 13; do
    n=${games[$size]}
    [[ $n -gt 0 ]] || continue
    printf '%s lines, %d finished games with a counted result (rules-aware; territory-only after it)\n' "$size" "$n"
    printf '  stonewise-cli count      exact %3d (%5.1f %%)  %8.2f ms per game   territory-only %3d (%5.1f %%)\n' \
        "${ours_ok[$size]}" "$(awk -v a="${ours_ok[$size]}" -v n="$n" 'BEGIN { print 100 * a / n }')" \
        "$(awk -v a="${ours_ms[$size]}" -v n="$n" 'BEGIN { print a / n }')" \
        "${terr_ok[$size]}" "$(awk -v a="${terr_ok[$size]}" -v n="$n" 'BEGIN { print 100 * a / n }')"
    if [[ "$use_gnugo" == 1 ]]; then
        printf '  gnugo --score aftermath  exact %3d (%5.1f %%)  %8.2f ms per game   territory-only %3d (%5.1f %%)\n' \
            "${gnugo_ok[$size]}" "$(awk -v a="${gnugo_ok[$size]}" -v n="$n" 'BEGIN { print 100 * a / n }')" \
            "$(awk -v a="${gnugo_ms[$size]}" -v n="$n" 'BEGIN { print a / n }')" \
            "${gnugo_terr_ok[$size]}" "$(awk -v a="${gnugo_terr_ok[$size]}" -v n="$n" 'BEGIN { print 100 * a / n }')"
    fi
done
if [[ ${games[terr]} -gt 0 ]]; then
    printf '19 lines under territory rules only: %d games, ours exact %d (%.1f %%)' "${games[terr]}" "${ours_ok[terr]}" \
        "$(awk -v a="${ours_ok[terr]}" -v n="${games[terr]}" 'BEGIN { print 100 * a / n }')"
    [[ "$use_gnugo" == 1 ]] && printf ', gnugo exact %d (%.1f %%)' "${gnugo_ok[terr]}" \
        "$(awk -v a="${gnugo_ok[terr]}" -v n="${games[terr]}" 'BEGIN { print 100 * a / n }')"
    printf '\n'
fi
if [[ "${HOLDOUT:-0}" == 1 && ${games[held]} -gt 0 ]]; then
    n=${games[held]}
    rest=$((games[19] - n))
    printf '19 lines held out (every fifth game): %d of %d exact (%.1f %%); the other %d: %d exact (%.1f %%)\n' \
        "${ours_ok[held]}" "$n" "$(awk -v a="${ours_ok[held]}" -v n="$n" 'BEGIN { print 100 * a / n }')" \
        "$rest" "$((ours_ok[19] - ours_ok[held]))" \
        "$(awk -v a="$((ours_ok[19] - ours_ok[held]))" -v n="$rest" 'BEGIN { print 100 * a / n }')"
fi
