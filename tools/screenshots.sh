#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The README's pictures (`make screenshots`): tremora_window_shot over a demo catalogue of one month
# of the saved USGS replies (February 2023, with the Turkey–Syria earthquakes), the clock standing
# at its last day (20 February), on offscreen screens of the sizes a user has:
#   docs/tab-*.png            every tab on a 1366 × 768 screen
#   docs/tab-map-en.png       the map tab in English, same screen
#   docs/screen-1920x1080.png the map tab on a 1920 × 1080 screen
#   docs/screen-2560x1440-2x.png  the map tab on a 2560 × 1440 screen at twice the pixel density
#                             (1280 × 720 logical)
# The window opens as at a first start, filling the screen; no settings are read or kept.
set -euo pipefail
build=${1:-build/release}
out=${2:-docs}
root=$(cd "$(dirname "$0")/.." && pwd)
data=${TREMORA_DEMO_DATA:-$root/../shared/data/usgs}
month=$data/2023-02-fdsn-asc.csv
[ -f "$month" ] || { echo "screenshots: no USGS reply $month" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$root/$out"

# shot NAME WIDTH HEIGHT PIXEL_RATIO [--lang en]: the pictures of one window as $work/NAME-*.png.
shot() {
    local name=$1 width=$2 height=$3 ratio=$4
    shift 4
    mkdir -p "$work/$name"
    cp -r "$root/data/." "$work/$name/"
    printf '{ "screens": [ { "name": "%s", "x": 0, "y": 0, "width": %d, "height": %d, "dpr": %s } ] }\n' \
        "$name" "$width" "$height" "$ratio" >"$work/$name.json"
    QT_QPA_PLATFORM="offscreen:configfile=$work/$name.json" XDG_CONFIG_HOME="$work/config" \
        "$root/$build/tools/tremora_window_shot" "$@" "$work/$name" "$work/$name" 2023-02-20 "$month"
}

shot laptop 1366 768 1
shot english 1366 768 1 --lang en
shot full-hd 1920 1080 1
shot dense 1280 720 2

names=(map base satellite info)
for i in "${!names[@]}"; do
    cp "$work/laptop-tab$i.png" "$root/$out/tab-${names[$i]}.png"
done
cp "$work/laptop-menu.png" "$root/$out/menu-report.png"
cp "$work/english-tab0.png" "$root/$out/tab-map-en.png"
cp "$work/full-hd-tab0.png" "$root/$out/screen-1920x1080.png"
cp "$work/dense-tab0.png" "$root/$out/screen-2560x1440-2x.png"
ls -l "$root/$out"/*.png
