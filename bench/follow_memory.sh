#!/usr/bin/env bash
# trendola-render --follow against a writer appending 1 000 lines a second:
# its resident memory every 15 seconds, for MINUTES minutes (default 3).
#
#   bench/follow_memory.sh BUILD-DIR [MINUTES]
set -euo pipefail
build=${1:?usage: $0 BUILD-DIR [MINUTES]}
minutes=${2:-3}
work=$(mktemp -d)
trap 'kill "${writer:-}" "${render:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir "$work/out"

"$build/tools/trendola-demo-writer" "$work/live.csv" --interval 1 --history 100000 >/dev/null 2>&1 &
writer=$!
sleep 1
"$build/app/trendola-render" -o "$work/out" --follow --annotate --interval 100 --format png \
    "$work/live.csv" >"$work/summary" 2>"$work/errors" &
render=$!

echo "seconds  lines      rss_kB"
for ((t = 0; t <= minutes * 60; t += 15)); do
    printf '%7d  %-9d  %s\n' "$t" "$(wc -l <"$work/live.csv")" \
        "$(awk '/^VmRSS/ {print $2}' "/proc/$render/status")"
    [ "$t" -lt $((minutes * 60)) ] && sleep 15
done
kill -TERM "$render"
wait "$render" && echo "stopped cleanly: $(tail -n 1 "$work/summary")"
