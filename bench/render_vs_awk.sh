#!/usr/bin/env bash
# trendola-render against awk on the same 10-million-line two-field CSV, both
# as whole processes, and the peak memory of a large and a tiny replay.
#
#   bench/render_vs_awk.sh [BUILD_DIR]     (default: build)
set -euo pipefail
build=${1:-build}
render="$build/app/trendola-render"
[ -x "$render" ] || { echo "build $render first" >&2; exit 1; }
command -v /usr/bin/time >/dev/null || { echo "needs GNU time (apt-get install time)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/out"
echo "generating 10,000,000 lines..."
seq 1 10000000 | awk '{ printf "%d,%d.25\n", $1, ($1 * 7919) % 1000 }' > "$work/big.csv"
head -n 100 "$work/big.csv" > "$work/small.csv"
cat "$work/big.csv" > /dev/null # into the page cache

# measure FORMAT COMMAND...: GNU time's reading of one run
measure() {
    local format=$1
    shift
    /usr/bin/time -f "$format" -o "$work/time" "$@" > /dev/null 2>&1
    cat "$work/time"
}
# median of five wall-clock runs, in seconds
median() {
    for _ in 1 2 3 4 5; do measure %e "$@"; done | sort -n | sed -n 3p
}
peak_kb() { measure %M "$@"; }

awk_s=$(median awk -F, '{s+=$2} END {print s}' "$work/big.csv")
normal_s=$(median "$render" -o "$work/out" --column 2 "$work/big.csv")
page_s=$(median "$render" -o "$work/out" --column 2 --page-mode "$work/big.csv")
echo "awk -F, '{s+=\$2}'             ${awk_s} s"
echo "trendola-render (normal mode)  ${normal_s} s  ($(echo "$awk_s / $normal_s" | bc -l | cut -c1-4)x faster than awk)"
echo "trendola-render (page mode)    ${page_s} s  ($(echo "$awk_s / $page_s" | bc -l | cut -c1-4)x faster than awk)"
echo "peak memory, 10M lines:        $(peak_kb "$render" -o "$work/out" --column 2 "$work/big.csv") KB"
echo "peak memory, 100 lines:        $(peak_kb "$render" -o "$work/out" --column 2 "$work/small.csv") KB"
