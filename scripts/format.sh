#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Lays out C++ files with clang-format 14 and .clang-format:
#   scripts/format.sh [FILE...]   formats the files given, or every tracked C++ file (make format)
#   scripts/format.sh --check     checks every tracked C++ file without changing it (.ci/run)
# Every file is laid out by version 14, Debian 12's; other versions lay some constructs out
# differently, so no other is used. Exits 3, saying how to get version 14, when it is not here.
set -euo pipefail
cd "$(dirname "$0")/.."

version=14
check=false
if [ "${1:-}" = "--check" ]; then
  check=true
  shift
fi

format=
for candidate in clang-format-$version clang-format; do
  if command -v "$candidate" >/dev/null && [[ "$("$candidate" --version)" =~ version\ $version\. ]]; then
    format=$candidate
    break
  fi
done
if [ -z "$format" ]; then
  found=$(compgen -c | grep -E '^clang-format(-[0-9]+)?$' | sort -u | paste -sd ' ')
  cat >&2 <<MSG
format: needs clang-format $version, which lays out this project's files; found: ${found:-none}
format: on Debian 12:  sudo apt-get install clang-format-$version   (make installs it)
format: on Debian 13, which offers no version $version:  pipx install clang-format==$version.0.6
format:   (puts clang-format $version in ~/.local/bin; have that folder on PATH), then run this again.
MSG
  exit 3
fi

if [ $# -gt 0 ]; then
  files=("$@")
else
  mapfile -t files < <(git ls-files '*.cpp' '*.h')
fi

if ! $check; then
  "$format" --style=file -i "${files[@]}"
  echo "format: ${#files[@]} C++ files laid out with $("$format" --version)"
  exit 0
fi

misformatted=()
for f in "${files[@]}"; do
  "$format" --style=file --dry-run --Werror "$f" >/dev/null 2>&1 || misformatted+=("$f")
done
if [ ${#misformatted[@]} -gt 0 ]; then
  echo "format: ${#misformatted[@]} of ${#files[@]} C++ files do not follow .clang-format ($("$format" --version)):"
  printf '  %s\n' "${misformatted[@]}"
  echo "format: fix with  make format  (or $format -i <file>...)"
  exit 1
fi
echo "format: all ${#files[@]} C++ files follow .clang-format ($("$format" --version))"
