#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs every Debian package that the build, the tests, the benchmarks, the tools and CI's format
# check need, on Debian 12 (bookworm) or 13 (trixie).
# Idempotent: asks apt only for what is missing. With --package-checks it installs instead the
# checkers of the Debian package (lintian, desktop-file-utils, appstream).
set -euo pipefail

# Where the releases name a package differently, an entry lists the names "a|b": the first one
# installed satisfies it, otherwise the first one this release offers is installed. An entry ending
# in "|" is wanted only where the release offers it.
packages=(
  # build (Debian 13 has Qt's OpenGL development files in qt6-base-dev)
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-charts-dev qt6-svg-dev 'libqt6opengl6-dev|qt6-base-dev' libgl-dev librtmidi-dev
  libfluidsynth-dev
  # the program at run time: window and offscreen platforms, HTTPS to the event service (OpenSSL 3
  # is libssl3 on Debian 12, libssl3t64 on 13), fonts (the report table's condensed face is in the
  # extra set)
  qt6-qpa-plugins libqt6network6 'libssl3|libssl3t64' ca-certificates fonts-dejavu-core fonts-dejavu-extra
  # the built-in synthesizer's General MIDI SoundFont (6 MB; the offline sound test needs it)
  timgm6mb-soundfont
  # tests, benchmarks and the loopback event service
  libgtest-dev libgmock-dev libbenchmark-dev libcpp-httplib-dev
  # make bench's comparisons with pandas and matplotlib
  python3 python3-pandas python3-matplotlib
  # .ci/run's format check and make format use clang-format 14, Debian 12's; Debian 13 offers none
  # (scripts/format.sh says how to get it there)
  'clang-format-14|'
  # make fuzz: libFuzzer and the sanitizer runtimes come with Debian's clang, in the runtime
  # package of its version (added below: libclang-rt-14-dev on Debian 12, libclang-rt-19-dev on 13)
  clang
  # make package: CPack's Debian generator tells the binaries for dpkg-shlibdeps with `file`
  file
  # Qt's own Polish (dialogs, buttons, context menus) at run time; lupdate and lrelease for the
  # program's English
  qt6-translations-l10n qt6-l10n-tools
)
clang_runtime=true

# `make package-check` alone needs the package checkers; other targets never install them.
if [ "${1:-}" = "--package-checks" ]; then
  packages=(lintian desktop-file-utils appstream)
  clang_runtime=false
fi

installed() {
  [ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null)" = "install ok installed" ]
}

# Whether this release has a package of that name to install (a name only provided by another
# package has no candidate).
offered() {
  local policy
  policy=$(apt-cache policy "$1" 2>/dev/null)
  [[ "$policy" == *"Candidate: "[^\(]* ]]
}

# The major version of Debian's clang: the one installed, else the one apt would install.
clang_version() {
  local deps
  if installed clang; then
    deps=$(dpkg-query -W -f='${Depends}' clang)
  else
    deps=$(apt-cache depends clang 2>/dev/null || true)
  fi
  [[ "$deps" =~ clang-([0-9]+) ]] && echo "${BASH_REMATCH[1]}"
  return 0
}

# The entries none of whose names is installed (an optional one only while apt offers it).
unmet() {
  local entry name satisfied
  for entry in "${packages[@]}"; do
    satisfied=false
    IFS='|' read -r -a names <<<"$entry"
    for name in "${names[@]}"; do
      installed "$name" && satisfied=true && break
    done
    if [[ "$entry" == *"|" ]] && ! $satisfied; then
      satisfied=true
      for name in "${names[@]}"; do
        offered "$name" && satisfied=false && break
      done
    fi
    $satisfied || echo "$entry"
  done
  if $clang_runtime; then
    local version
    version=$(clang_version)
    if [ -z "$version" ]; then
      echo "libclang-rt-?-dev"
    elif ! installed "libclang-rt-$version-dev"; then
      echo "libclang-rt-$version-dev"
    fi
  fi
}

mapfile -t wanted < <(unmet)
[ ${#wanted[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq

# Now that apt knows what this release offers, once more, with one name per entry.
mapfile -t wanted < <(unmet)
missing=()
for entry in "${wanted[@]}"; do
  if [ "$entry" = "libclang-rt-?-dev" ]; then
    echo "install-deps: this release offers no clang" >&2
    exit 1
  fi
  IFS='|' read -r -a names <<<"$entry"
  chosen=
  for name in "${names[@]}"; do
    if offered "$name"; then
      chosen=$name
      break
    fi
  done
  if [ -n "$chosen" ]; then
    missing+=("$chosen")
  elif [[ "$entry" != *"|" ]]; then
    echo "install-deps: this release offers none of: ${entry//|/, }" >&2
    exit 1
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0
# Several entries may come down to one package (qt6-base-dev on Debian 13).
mapfile -t missing < <(printf '%s\n' "${missing[@]}" | sort -u)

echo "Installing: ${missing[*]}"
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
