#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# make hostile: runs the update against the loopback event service in each of its failure modes
# (tests/gui/controllers/HostileServiceTest.cpp) and prints "hostile_service: N/M modes survived".
set -uo pipefail
build=${1:-build/test}
test=$build/tests/gui/controllers/tremora_hostile_service_tests
log=$build/hostile.log
QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 "$test" >"$log" 2>&1
rc=$?
ran=$(grep -c '^\[ RUN      \]' "$log")
passed=$(grep -c '^\[       OK \]' "$log")
grep -E '^\[  FAILED  \] Modes/' "$log" | sort -u
echo "hostile_service: $passed/$ran modes survived"
[ $rc -eq 0 ] && [ "$ran" -gt 0 ] && [ "$passed" -eq "$ran" ]
