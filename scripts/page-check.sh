#!/usr/bin/env bash
# Looks at trendola-render's live page as a browser shows it: follows the demo
# data with --serve, lets headless Chromium load the page at a desktop and a
# phone size, saves the screenshots and checks that the page shows the chart
# and the values. Needs a build and Chromium (Debian's chromium, which the
# set-up does not install; CI runs this only where it is installed).
#
#   scripts/page-check.sh [BUILD-FOLDER]    (default: build; screenshots go there)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
browser=$(command -v chromium || command -v chromium-browser || true)
[ -n "$browser" ] || { echo "page check: chromium is not installed" >&2; exit 2; }
for program in "$build/app/trendola-render" "$build/tools/trendola-demo-writer"; do
    [ -x "$program" ] || { echo "page check: $program is not built" >&2; exit 2; }
done
# The page is on this machine: no proxy may stand in between.
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY all_proxy ALL_PROXY

work=$(mktemp -d)
pids=()
cleanup() { kill "${pids[@]}" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
fail() { echo "page check: $*" >&2; exit 1; }

"$build/tools/trendola-demo-writer" "$work/demo.csv" &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/demo.csv" ] && break; sleep 0.1; done
"$build/app/trendola-render" --follow --serve 0 --interval 300 --stale-after 60 --threshold 60 \
    "$work/demo.csv" >"$work/summary.txt" 2>"$work/errors.txt" &
pids+=($!)
url=
for _ in $(seq 100); do
    url=$(sed -n 's|.*serving \(http://[^ ]*/\)$|\1|p' "$work/errors.txt")
    [ -n "$url" ] && break
    sleep 0.1
done
[ -n "$url" ] || fail "the service did not start: $(cat "$work/errors.txt")"
sleep 1

# Chromium as root needs --no-sandbox; the page's own polling runs for the
# virtual time given.
chrome() {
    "$browser" --headless --no-sandbox --disable-gpu --no-proxy-server --hide-scrollbars \
        --virtual-time-budget=4000 "$@" 2>>"$work/chromium.log"
}
chrome --window-size=1000,700 --screenshot="$work/desktop.png" "$url" >/dev/null
chrome --window-size=390,844 --screenshot="$work/phone.png" "$url" >/dev/null
chrome --dump-dom "$url" >"$work/page.html"

for shot in desktop phone; do
    [ -s "$work/$shot.png" ] || fail "no $shot screenshot: $(tail -5 "$work/chromium.log")"
    cp "$work/$shot.png" "$build/page-check-$shot.png"
done
# The values arrived (a number in the Now field), and so did the picture.
grep -Eq 'id="now"[^>]*>-?[0-9]' "$work/page.html" || fail "no value on the page: $(grep -o 'id="now"[^<]*' "$work/page.html")"
grep -q 'id="chart"[^>]*src="[^"]*chart.png?serial=' "$work/page.html" || fail "no chart on the page"
grep -q '更新中' "$work/page.html" || fail "no staleness shown"
echo "page check: ok ($build/page-check-desktop.png, $build/page-check-phone.png)"
