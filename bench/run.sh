#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every benchmark program of a build and prints their figures as "name: value unit". A program
# that lacks its data prints "name: skipped (...)" and exits 0, which is fine; one that fails,
# crashes or prints no figure is named, with the end of its error output, and fails the run.
set -uo pipefail
build=${1:-build/release}
export QT_QPA_PLATFORM=offscreen
shopt -s nullglob
programs=("$build"/bench/tremora_bench_*)
[ ${#programs[@]} -gt 0 ] || {
    echo "bench: no benchmark programs in $build/bench" >&2
    exit 1
}
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
failed=()
for b in "${programs[@]}"; do
    [ -f "$b" ] && [ -x "$b" ] || continue
    name=$(basename "$b")
    out=$("$b" --benchmark_min_time=0.01 2>"$errors")
    rc=$?
    figures=$(grep -E '^[a-z0-9_]+: ' <<<"$out")
    [ -n "$figures" ] && echo "$figures"
    if [ $rc -gt 128 ]; then
        why="crashed (signal $((rc - 128)))"
    elif [ $rc -ne 0 ]; then
        why="failed (exit $rc)"
    elif [ -z "$figures" ]; then
        why="printed no figure"
    else
        continue
    fi
    echo "$name: $why" >&2
    tail -n 5 "$errors" | sed 's/^/    /' >&2
    failed+=("$name")
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "bench: ${#failed[@]} benchmark program(s) failed: ${failed[*]}" >&2
    exit 1
fi
