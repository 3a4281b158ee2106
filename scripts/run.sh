#!/usr/bin/env bash
# Sets up what a fresh Debian machine lacks, builds Trendola and starts it.
#
#   scripts/run.sh              on demo data that a bundled writer keeps appending to
#   scripts/run.sh DATA-FILE    on your own data file
#
# The data file opens in the settings dialog: press "設定(&S)", then "&New"
# for a live graph or "Re&Play" to replay the file. Without a display the
# demo chart is rendered to a picture instead.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

ensure_packages "${BUILD_PACKAGES[@]}"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel "$(nproc)" --target trendola trendola-render trendola-demo-writer

if [ $# -gt 0 ]; then
    exec build/app/trendola "$@"
fi

demo_dir=build/demo
mkdir -p "$demo_dir"
demo="$demo_dir/demo.csv"
rm -f "$demo"
build/tools/trendola-demo-writer "$demo" &
writer=$!
trap 'kill "$writer" 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -s "$demo" ] && break; sleep 0.1; done

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "Demo data: $demo (a new line about three times a second)."
    echo "In the settings dialog press 設定(&S), then &New in the main window."
    build/app/trendola "$demo"
else
    echo "No display found (neither DISPLAY nor WAYLAND_DISPLAY is set):"
    echo "rendering the demo chart to a picture instead."
    sleep 2 # a few live lines after the history
    build/app/trendola-render -o "$demo_dir" --format png --annotate "$demo"
    echo "The chart is in $demo_dir/demo.png"
fi
