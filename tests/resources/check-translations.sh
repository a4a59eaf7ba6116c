#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# check-translations.sh LUPDATE LRELEASE TS LUPDATE_ARGUMENTS...: run from the source folder, fails
# when lupdate over the sources would change the translation file (a text marked, changed or
# dropped since it was last brought up to date) or when a message of it has no translation.
set -euo pipefail
lupdate=$1 lrelease=$2 ts=$3
shift 3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$ts" "$work/check.ts"
"$lupdate" "$@" -ts "$work/check.ts" >"$work/lupdate.log" 2>&1 || { cat "$work/lupdate.log"; exit 1; }
if ! cmp -s "$ts" "$work/check.ts"; then
    echo "The sources' marked texts differ from $ts; run 'make translations' and translate what is new:"
    diff "$ts" "$work/check.ts" | head -40
    exit 1
fi
"$lrelease" "$work/check.ts" -qm "$work/check.qm" >"$work/lrelease.log" 2>&1
if ! grep -q " 0 unfinished)" "$work/lrelease.log"; then
    cat "$work/lrelease.log"
    grep -B2 'type="unfinished"' "$work/check.ts" | head -40
    exit 1
fi
