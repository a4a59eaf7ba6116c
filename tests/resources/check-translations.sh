#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# check-translations.sh LUPDATE LRELEASE TS LUPDATE_ARGUMENTS...: run from the source folder, fails
# when the translation file lacks a text marked in the sources, keeps one no longer marked, or has
# a message without its translation. lupdate brings a copy of the file up to date: a new text
# would be unfinished there, a dropped one would lower the count of messages.
set -euo pipefail
lupdate=$1 lrelease=$2 ts=$3
shift 3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$ts" "$work/check.ts"
"$lupdate" "$@" -ts "$work/check.ts" >"$work/lupdate.log" 2>&1 || { cat "$work/lupdate.log"; exit 1; }
# "Generated N translation(s) (N finished and 0 unfinished)", and "Ignored N untranslated source
# text(s)" when there are such.
summary() { "$lrelease" "$1" -qm "$work/out.qm" 2>&1 | grep -v "^Updating" | tr -s ' \n' ' '; }
before=$(summary "$ts")
after=$(summary "$work/check.ts")
echo "committed: $before"
echo "sources:   $after"
if [ "$before" != "$after" ] || ! grep -q " 0 unfinished)" <<<"$after" || grep -q "Ignored" <<<"$after"; then
    echo "The marked texts of the sources and $ts differ; run 'make translations' and give the new"
    echo "texts their English:"
    grep -B3 'type="unfinished"' "$work/check.ts" | grep "<source>" | head -40
    exit 1
fi
