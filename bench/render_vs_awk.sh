#!/usr/bin/env bash
# trendola-render against awk on the same 10-million-line two-field CSV, both
# as whole processes run in turn (medians of five rounds), in normal and page
# mode, with both cores and with one (taskset -c 0); a whole-file picture,
# the pattern path on a log of "time=" lines, and the peak memory of each.
#
#   bench/render_vs_awk.sh [BUILD_DIR]            (default: build)
#   TRENDOLA_BENCH_LARGE=1 bench/render_vs_awk.sh  adds 100 million lines (1.5 GB in $TMPDIR)
set -euo pipefail
build=${1:-build}
render="$build/app/trendola-render"
[ -x "$render" ] || { echo "build $render first" >&2; exit 1; }
command -v /usr/bin/time >/dev/null || { echo "needs GNU time (apt-get install time)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/out"
# lines N: "N,V" with V written %d.25, as the issue's figures were taken
lines_file() { seq 1 "$1" | awk '{ printf "%d,%d.25\n", $1, ($1 * 7919) % 1000 }'; }
echo "generating 10,000,000 lines..."
lines_file 10000000 > "$work/big.csv"
head -n 100 "$work/big.csv" > "$work/small.csv"
awk -F, '{ printf "64 bytes from 10.0.0.1: icmp_seq=%d ttl=64 time=%s ms\n", $1, $2 }' "$work/big.csv" > "$work/ping.log"
cat "$work/big.csv" "$work/ping.log" > /dev/null # into the page cache

# seconds and peak KB of one run, "S KB"
measure() {
    /usr/bin/time -f "%e %M" -o "$work/time" "$@" > /dev/null 2>&1
    cat "$work/time"
}
median() { sort -n | sed -n 3p; }
ratio() { echo "$1 / $2" | bc -l | cut -c1-5 | sed 's/^\./0./'; }

# compare LABEL PREFIX YARDSTICK -- "NAME::RENDER-ARGS"...: five rounds of the
# yardstick and each render in turn; prints the medians and the ratio to the
# yardstick's time
compare() {
    local label=$1 prefix=$2 yardstick=$3
    shift 4
    local -a runs=("$@") # each a quoted argument string
    : > "$work/y"
    for ((i = 0; i < ${#runs[@]}; ++i)); do : > "$work/r$i"; done
    for _ in 1 2 3 4 5; do
        # shellcheck disable=SC2086
        measure $prefix sh -c "$yardstick" | cut -d' ' -f1 >> "$work/y"
        for ((i = 0; i < ${#runs[@]}; ++i)); do
            # shellcheck disable=SC2086
            eval "measure $prefix \"\$render\" ${runs[$i]#*::}" >> "$work/r$i"
        done
    done
    local y
    y=$(median < "$work/y")
    printf '%-44s %6s s\n' "$label: yardstick" "$y"
    for ((i = 0; i < ${#runs[@]}; ++i)); do
        local s kb
        s=$(cut -d' ' -f1 < "$work/r$i" | median)
        kb=$(cut -d' ' -f2 < "$work/r$i" | median)
        printf '%-44s %6s s  %5sx the yardstick  peak %s KB\n' "  trendola-render, ${runs[$i]%%::*}" "$s" \
            "$(ratio "$s" "$y")" "$kb"
    done
}

one_core=""
command -v taskset >/dev/null && one_core="taskset -c 0"

awk_csv="awk -F, '{s+=\$2} END {print s}' '$work/big.csv'"
for prefix in "" "$one_core"; do
    [ -z "$prefix" ] && [ -n "$one_core" ] && echo "== both cores" || true
    [ -n "$prefix" ] && echo "== one core ($prefix)"
    compare "10M lines, awk -F, '{s+=\$2}'" "$prefix" "$awk_csv" -- \
        "normal mode::-o '$work/out' --column 2 '$work/big.csv'" \
        "page mode::-o '$work/out' --column 2 --page-mode '$work/big.csv'" \
        "whole-file picture::-o '$work/out' --points 10000000 --column 2 '$work/big.csv'"
    compare "10M log lines, awk -F'time=' '{s+=\$2}'" "$prefix" \
        "awk -F'time=' '{s+=\$2} END {print s}' '$work/ping.log'" -- \
        "pattern path::-o '$work/out' --match 'time=([0-9.]+)' '$work/ping.log'"
    [ -z "$one_core" ] && break
done
echo "peak memory, 100 lines:                      $(measure "$render" -o "$work/out" --column 2 "$work/small.csv" | cut -d' ' -f2) KB"

if [ "${TRENDOLA_BENCH_LARGE:-0}" = 1 ]; then
    echo "generating 100,000,000 lines..."
    lines_file 100000000 > "$work/huge.csv"
    rm "$work/ping.log"
    compare "100M lines, awk -F, '{s+=\$2}'" "" "awk -F, '{s+=\$2} END {print s}' '$work/huge.csv'" -- \
        "normal mode::-o '$work/out' --column 2 '$work/huge.csv'" \
        "page mode::-o '$work/out' --column 2 --page-mode '$work/huge.csv'"
fi
