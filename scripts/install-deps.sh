#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs every Debian package that the build, the tests, the benchmarks, the tools and CI's format
# check need.
# Idempotent: asks apt only for what is missing.
set -euo pipefail

packages=(
  # build
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev librtmidi-dev
  # the program at run time: window and offscreen platforms, HTTPS to the event service, fonts
  # (the report table's condensed face is in the extra set)
  qt6-qpa-plugins libqt6network6 libssl3 ca-certificates fonts-dejavu-core fonts-dejavu-extra
  # tests, benchmarks and the loopback event service
  libgtest-dev libgmock-dev libbenchmark-dev libcpp-httplib-dev
  # make bench's comparison with pandas
  python3 python3-pandas
  # .ci/run's format check
  clang-format
  # make fuzz: libFuzzer and the sanitizer runtimes come with Debian's clang
  clang libclang-rt-14-dev
)

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
