#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the build, the tests and the demo need; with --hosts also the
# real hosts the tests load the plug-in in (tests/hosts): LV2's validator and lilv's tools,
# Ardour 7, jalv with a JACK server, ImageMagick for the screenshots.
# Idempotent: apt is skipped when every package is already present.
set -euo pipefail

packages=(
  cmake g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libx11-dev libxfixes-dev libcairo2-dev libpng-dev zlib1g-dev libfontconfig-dev fonts-liberation
  libsndfile1-dev libambix-dev
  lv2-dev
  xvfb xdotool x11-utils
  clang libclang-rt-14-dev valgrind
  dpkg-dev file help2man
  dpf-source
)
if [ "${1:-}" = --hosts ]; then
  packages+=(sordi lilv-utils ardour jalv jackd2 imagemagick python3 qtractor)
fi

source "$(dirname "$0")/apt.sh"
apt_install_missing "${packages[@]}"
