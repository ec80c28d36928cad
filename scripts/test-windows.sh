#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The wine stages: builds the Windows deliverables (scripts/build-windows.sh) and tests both
# architectures under wine on a virtual display: the 64-bit build under wine64, the 32-bit one
# under wine32. Needs the Linux build of scripts/test.sh for the tests that compare the two.
# Installs what it needs itself (skipped when present). Where the kernel cannot start 32-bit
# programs, the x86 tests are not run, and build-windows/tests-not-run counts them.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh

source scripts/apt.sh
# wine32 comes from Debian's i386 architecture (the apt-get update below fetches its lists).
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "adding the i386 architecture for wine32"
  $SUDO dpkg --add-architecture i386
fi
apt_install_missing wine wine64 xvfb xauth xdotool
# Without wine32 (the archive may not serve a consistent i386 index) the x86 tests are not run;
# the run on the virtual display below is told so.
x86_missing=${SFERANT_X86_MISSING:-}
if [ -z "$x86_missing" ] && ! apt_install_missing wine32:i386; then
  x86_missing="wine32 could not be installed"
fi
export SFERANT_X86_MISSING=$x86_missing

# Every wine program of the stage runs on one virtual display.
if [ -z "${SFERANT_TEST_DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" \
    bash -c 'SFERANT_TEST_DISPLAY=$DISPLAY exec "$0"' "$0"
fi

scripts/build-windows.sh
rm -f build-windows/ctest-*.log build-windows/tests-not-run

architectures=(x64)
if [ -n "$x86_missing" ]; then
  echo "x86: $x86_missing; the x86 tests are not run"
elif (wine_env x86 && "$WINE_LOADER" --version >/dev/null 2>&1); then
  architectures+=(x86)
else
  echo "x86: this machine's kernel cannot start 32-bit programs; the x86 tests are not run"
fi
x86_runs() { [ ${#architectures[@]} -eq 2 ]; }

# wine's prefix for an architecture in the build folder, made once (~15 s, ~700 MB each). Without
# a window manager a managed window's DestroyWindow can stall for seconds: wine manages none of
# ours. Then a server and services started here, with their output going nowhere: started by the
# first test they would hold CTest's pipes open and CTest would wait for them forever.
start_wine() (
  wine_env "$1"
  if [ ! -f "$WINEPREFIX/.sferant-ready" ]; then
    "$WINE_LOADER" wineboot --init >/dev/null 2>&1
    "$WINE_LOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.sferant-ready"
  fi
  wineserver -p >/dev/null 2>&1 || true # (fails when one is running already)
  "$WINE_LOADER" wineboot >/dev/null 2>&1
)
stop_wine() {
  local arch
  for arch in "${architectures[@]}"; do
    (wine_env "$arch" && wineserver -k) || true
  done
}
trap stop_wine EXIT
for arch in "${architectures[@]}"; do
  start_wine "$arch"
done

# The cross-built suites and the Windows host's lifetime tests, for each architecture (of a
# 32-bit DLL that cannot run, its static check alone).
for arch in "${architectures[@]}"; do
  ctest --test-dir "build-windows/$arch" --output-on-failure | tee "build-windows/ctest-$arch.log"
done
skip_x86=()
if ! x86_runs; then
  skip_x86=(-E x86)
  ctest --test-dir build-windows/x86 --output-on-failure -R dll_exports_and_imports |
    tee build-windows/ctest-x86.log
fi
# The editor in each host's window and the rendering against the Linux build's (one at a time:
# they share a pointer).
cmake -S . -B build -DSFERANT_WINE_TESTS=ON >/dev/null
cmake --build build -j"$(nproc)" --target test_wine
ctest --test-dir build -L wine "${skip_x86[@]}" --output-on-failure | tee build-windows/ctest-wine.log
if ! x86_runs; then
  total() { ctest -N "$@" | sed -n 's/^Total Tests: //p'; }
  echo $(($(total --test-dir build-windows/x86 -E dll_exports_and_imports) + \
    $(total --test-dir build -L wine -R x86))) >build-windows/tests-not-run
fi
