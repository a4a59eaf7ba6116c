#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every benchmark program of a build and prints their figures as "name: value unit".
set -euo pipefail
build=${1:-build/release}
export QT_QPA_PLATFORM=offscreen
shopt -s nullglob
for b in "$build"/bench/tremora_bench_*; do
  [ -x "$b" ] && "$b" --benchmark_min_time=0.01 2>/dev/null | grep -E '^[a-z0-9_]+: ' || true
done
