#!/usr/bin/env bash
# Makes the README's two pictures from the demo data: the window during a
# live run (docs/window.png) and an annotated trendola-render picture
# (docs/render.png). Runs the window on a virtual display (Xvfb) with a
# small window manager, so it works on a machine without a screen.
#
#   scripts/screenshots.sh
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
ensure_packages "${BUILD_PACKAGES[@]}" xvfb xauth openbox xdotool imagemagick x11-utils

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel "$(nproc)" --target trendola trendola-render trendola-demo-writer >/dev/null
mkdir -p docs build/screenshots
work=build/screenshots
demo="$work/demo.csv"
rm -f "$demo"

display=:97
Xvfb "$display" -screen 0 1100x500x24 >"$work/xvfb.log" 2>&1 &
pids=($!)
cleanup() { kill "${pids[@]}" 2>/dev/null || true; }
trap cleanup EXIT
export DISPLAY="$display"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)

build/tools/trendola-demo-writer "$demo" &
pids+=($!)
for _ in $(seq 50); do [ -s "$demo" ] && break; sleep 0.1; done
sleep 2

build/app/trendola "$demo" >"$work/trendola.log" 2>&1 &
pids+=($!)
window() { # the first viewable window of that name
    local id
    for id in $(xdotool search --sync --name "$1"); do
        xwininfo -id "$id" | grep -q IsViewable && { echo "$id"; return; }
    done
}
# A short polling interval and few points per view, so that the graph fills
# in seconds. The dialog's layout is fixed: these are the two fields' places
# in it (move them along when the dialog changes).
type_into() { # window x y text
    xdotool mousemove --window "$1" "$2" "$3" click --repeat 3 1 type "$4"
}
dialog=$(window '^設定$')
xdotool windowactivate --sync "$dialog"
type_into "$dialog" 172 190 300                     # polling interval, ms
type_into "$dialog" 290 314 60                      # points per view
xdotool key --window "$dialog" alt+s                # "設定(&S)": apply
sleep 1
xdotool key --window "$dialog" alt+q                # "閉じる(&Q)"
main=$(window '^Trendola$')
xdotool windowactivate --sync "$main" key alt+n     # "&New": live monitoring
sleep 22
import -window "$main" docs/window.png

build/app/trendola-render -o "$work" --annotate --format png --scale 2 "$demo" >/dev/null
cp "$work/demo.png" docs/render.png
echo "docs/window.png and docs/render.png made"
