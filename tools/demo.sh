#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the loopback event service over the saved USGS replies and Tremora against it, in its own
# working folder (run/demo) so the demo's catalogue never mixes with a real one. Press
# "Aktualizacja bazy USGS" to fill the catalogue; the service stops when Tremora closes.
set -euo pipefail
build=${1:-build/release}
shift || true
root=$(cd "$(dirname "$0")/.." && pwd)
data=${TREMORA_DEMO_DATA:-$root/../shared/data/usgs}
demo_dir=$root/run/demo

[ -d "$data" ] || { echo "demo: no USGS replies in $data" >&2; exit 1; }
mkdir -p "$demo_dir"
cp -rn "$root/data/." "$demo_dir/" 2>/dev/null || true

out=$(mktemp)
"$root/$build/tools/tremora_event_server" --port 0 --data "$data" >"$out" &
server=$!
trap 'kill $server 2>/dev/null || true; rm -f "$out"' EXIT

port=""
for _ in $(seq 100); do
  port=$(head -n1 "$out" 2>/dev/null || true)
  [ -n "$port" ] && break
  kill -0 $server 2>/dev/null || { echo "demo: the event service did not start" >&2; exit 1; }
  sleep 0.1
done
[ -n "$port" ] || { echo "demo: the event service did not report its port" >&2; exit 1; }
tail -n +2 "$out"

cd "$demo_dir"
# The demo's choices in the window are kept apart from the user's own, like its catalogue.
XDG_CONFIG_HOME="$demo_dir/config" "$root/$build/app/tremora" --event-host "http://127.0.0.1:$port" "$@"
