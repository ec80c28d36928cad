#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the real hosts the tests load the plug-in in (tests/hosts): LV2's validator and
# lilv's tools, Ardour 7, jalv with a JACK server, and ImageMagick for the screenshots.
# Idempotent: apt is skipped when every package is already present.
set -euo pipefail

packages=(lv2-dev sordi lilv-utils ardour jalv jackd2 imagemagick python3)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
apt=(apt-get -o DPkg::Lock::Timeout=600)
$SUDO "${apt[@]}" update -qq
# jackd2 asks whether to run with real-time priority: no, and no question.
DEBIAN_FRONTEND=noninteractive $SUDO "${apt[@]}" install -y -qq --no-install-recommends \
  "${missing[@]}"
