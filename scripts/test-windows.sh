#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The wine stages: builds the Windows deliverables (scripts/build-windows.sh) and tests them
# under wine on a virtual display. Needs the Linux build of scripts/test.sh for the tests that
# compare the two. Installs what it needs itself (skipped when present).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh

packages=(wine wine64 xvfb xauth xdotool)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO apt-get -o DPkg::Lock::Timeout=600 update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}"
fi

# Every wine program of the stage runs on one virtual display.
if [ -z "${SFERANT_TEST_DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" \
    bash -c 'SFERANT_TEST_DISPLAY=$DISPLAY exec "$0"' "$0"
fi

scripts/build-windows.sh
# The 32-bit module cannot run here (the kernel starts no 32-bit programs): it is checked as
# built, here and by its static layout checks.
scripts/check-windows-dll.sh build-windows/x86/Sferant.dll

# wine's own prefix in the build folder, made once (~15 s, ~700 MB). Without a window manager
# a managed window's DestroyWindow can stall for seconds: wine manages none of ours.
wine_env x64
if [ ! -f "$WINEPREFIX/.sferant-ready" ]; then
  "$WINE_LOADER" wineboot --init >/dev/null 2>&1
  "$WINE_LOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.sferant-ready"
fi
# A server and services started here, with their output going nowhere: started by the first
# test they would hold CTest's pipes open and CTest would wait for them forever.
wineserver -p >/dev/null 2>&1 || true # (fails when one is running already)
"$WINE_LOADER" wineboot >/dev/null 2>&1
trap 'wineserver -k' EXIT

# The cross-built suites and the Windows host's lifetime tests.
ctest --test-dir build-windows/x64 --output-on-failure | tee build-windows/ctest.log
# The editor and the rendering against the Linux build's (one at a time: they share a pointer).
cmake -S . -B build -DSFERANT_WINE_TESTS=ON >/dev/null
cmake --build build -j"$(nproc)" --target test_wine
ctest --test-dir build -L wine --output-on-failure | tee build-windows/ctest-wine.log
