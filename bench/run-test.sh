#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# bench/run.sh over stand-in benchmark programs: figures and "skipped" lines pass, and a program
# that crashes, fails or prints no figure is named and fails the run.
set -u
run=$(cd "$(dirname "$0")" && pwd)/run.sh
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0

# A build folder holding the given stand-ins: name=shell body ...
build() {
    local b=$tmp/$1
    shift
    mkdir -p "$b/bench/tremora_bench_x_autogen" # a folder beside the programs, as CMake leaves
    for program in "$@"; do
        printf '#!/bin/sh\n%s\n' "${program#*=}" >"$b/bench/tremora_bench_${program%%=*}"
        chmod +x "$b/bench/tremora_bench_${program%%=*}"
    done
    echo "$b"
}

# check NAME EXPECTED_STATUS BUILD PATTERN...: run.sh's exit status is 0 or not as expected and
# its output has every pattern.
check() {
    local name=$1 expected=$2 b=$3 out status
    shift 3
    out=$(bash "$run" "$b" 2>&1)
    status=$?
    if [ "$expected" = ok ] && [ $status -ne 0 ] || [ "$expected" = fails ] && [ $status -eq 0 ]; then
        echo "FAIL $name: exit $status, expected the run to be $expected"
        echo "$out" | sed 's/^/    /'
        failures=$((failures + 1))
        return
    fi
    for pattern in "$@"; do
        if ! grep -qE "$pattern" <<<"$out"; then
            echo "FAIL $name: no line matching '$pattern' in"
            echo "$out" | sed 's/^/    /'
            failures=$((failures + 1))
            return
        fi
    done
    echo "ok   $name"
}

check "figures and skipped lines" ok \
    "$(build good 'a=echo "a_figure: 1.5 ms"; echo "noise" >&2' 'b=echo "b_figure: skipped (needs data)"')" \
    '^a_figure: 1.5 ms$' '^b_figure: skipped \(needs data\)$'
check "a crash is named, the figures before it kept" fails \
    "$(build crash 'a=echo "a_figure: 2 ms"' 'b=echo "b_figure: 1 x"; echo "last words" >&2; kill -SEGV $$')" \
    '^a_figure: 2 ms$' '^b_figure: 1 x$' '^tremora_bench_b: crashed \(signal 11\)$' 'last words' \
    'failed: tremora_bench_b$'
check "a non-zero exit is named" fails \
    "$(build exit 'a=echo "a_figure: 2 ms"' 'b=echo "cannot start" >&2; exit 3')" \
    '^tremora_bench_b: failed \(exit 3\)$' 'cannot start'
check "a program that prints no figure is named" fails \
    "$(build silent 'a=echo "a_figure: 2 ms"' 'b=echo "Running benchmarks"')" \
    '^tremora_bench_b: printed no figure$'
check "a build without benchmark programs" fails "$tmp/none" 'no benchmark programs'

echo "run.sh: $((5 - failures)) passed, $failures failed"
[ $failures -eq 0 ]
