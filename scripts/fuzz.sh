#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# make fuzz: builds the libFuzzer targets with clang and the address and undefined-behaviour
# sanitizers (build/fuzz), runs each for FUZZ_SECONDS (60 by default) from its seeds of real data
# and prints "fuzz_<target>_execs: N" for each and "fuzz_crashes: N" at the end. A target that
# crashes leaves its input in build/fuzz/crashes/<target>/ and the command fails.
#   FUZZ_SECONDS=600 FUZZ_TARGETS="reply tiles" make fuzz
set -uo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-60}
jobs=${JOBS:-2}
targets=(${FUZZ_TARGETS:-reply reply_kind catalogue_file places numbers tiles})
build=build/fuzz

CC=clang CXX=clang++ cmake -S . -B $build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTREMORA_FUZZ=ON >/dev/null \
  || exit 1
cmake --build $build -j "$jobs" $(printf -- '--target fuzz_%s ' "${targets[@]}") || exit 1

# Where each target's seeds come from; the working corpus grows in build/fuzz/corpus.
seeds_of() {
  case $1 in
    reply) echo tests/data/usgs ;;
    *) echo "tests/data/fuzz/$1" ;;
  esac
}

crashes=0
for t in "${targets[@]}"; do
  corpus=$build/corpus/$t
  found=$build/crashes/$t
  mkdir -p "$corpus" "$found"
  log=$build/fuzz_$t.log
  # Replies are up to a few hundred kilobytes; the other inputs are small.
  max_len=4096
  [ "$t" = reply ] && max_len=262144
  [ "$t" = catalogue_file ] && max_len=16384
  ASAN_OPTIONS=detect_leaks=0:allocator_may_return_null=1 UBSAN_OPTIONS=print_stacktrace=1 \
    "$build/tests/fuzz/fuzz_$t" "$corpus" "$(seeds_of "$t")" -max_total_time="$seconds" -max_len=$max_len \
    -timeout=25 -rss_limit_mb=3072 -print_final_stats=1 -artifact_prefix="$found/" >"$log" 2>&1
  rc=$?
  execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | tail -1 | grep -o '[0-9]*$')
  echo "fuzz_${t}_execs: ${execs:-0}"
  if [ $rc -ne 0 ]; then
    crashes=$((crashes + 1))
    echo "fuzz_${t}: failed (exit $rc), input in $found, log in $log" >&2
    grep -m3 -E 'ERROR:|runtime error|SUMMARY' "$log" >&2
  fi
done
echo "fuzz_crashes: $crashes"
[ $crashes -eq 0 ]
