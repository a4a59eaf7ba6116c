#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs every Debian package that the build, the tests, the benchmarks, the tools and CI's format
# check need.
# Idempotent: asks apt only for what is missing. With --package-checks it installs instead the
# checkers of the Debian package (lintian, desktop-file-utils, appstream).
set -euo pipefail

packages=(
  # build
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-charts-dev qt6-svg-dev libqt6opengl6-dev libgl-dev librtmidi-dev libfluidsynth-dev
  # the program at run time: window and offscreen platforms, HTTPS to the event service, fonts
  # (the report table's condensed face is in the extra set)
  qt6-qpa-plugins libqt6network6 libssl3 ca-certificates fonts-dejavu-core fonts-dejavu-extra
  # the built-in synthesizer's General MIDI SoundFont (6 MB; the offline sound test needs it)
  timgm6mb-soundfont
  # tests, benchmarks and the loopback event service
  libgtest-dev libgmock-dev libbenchmark-dev libcpp-httplib-dev
  # make bench's comparisons with pandas and matplotlib
  python3 python3-pandas python3-matplotlib
  # .ci/run's format check
  clang-format
  # make fuzz: libFuzzer and the sanitizer runtimes come with Debian's clang
  clang libclang-rt-14-dev
  # make package: CPack's Debian generator tells the binaries for dpkg-shlibdeps with `file`
  file
  # Qt's own Polish (dialogs, buttons, context menus) at run time; lupdate and lrelease for the
  # program's English
  qt6-translations-l10n qt6-l10n-tools
)

# `make package-check` alone needs the package checkers; other targets never install them.
if [ "${1:-}" = "--package-checks" ]; then
  packages=(lintian desktop-file-utils appstream)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
