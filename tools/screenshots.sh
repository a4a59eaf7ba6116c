#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The README's pictures of every tab (`make screenshots`): tremora_window_shot over a demo
# catalogue of one month of the saved USGS replies (February 2023, with the Turkey–Syria
# earthquakes), the clock standing at its last day (20 February), written to docs/tab-*.png.
set -euo pipefail
build=${1:-build/release}
out=${2:-docs}
root=$(cd "$(dirname "$0")/.." && pwd)
data=${TREMORA_DEMO_DATA:-$root/../shared/data/usgs}
month=$data/2023-02-fdsn-asc.csv
[ -f "$month" ] || { echo "screenshots: no USGS reply $month" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$root/data/." "$work/"
mkdir -p "$root/$out"
QT_QPA_PLATFORM=offscreen "$root/$build/tools/tremora_window_shot" "$work/shot" "$work" 2023-02-20 "$month"
names=(map base satellite info)
for i in "${!names[@]}"; do
    cp "$work/shot-tab$i.png" "$root/$out/tab-${names[$i]}.png"
done
cp "$work/shot-menu.png" "$root/$out/menu-report.png"
ls -l "$root/$out"/*.png
