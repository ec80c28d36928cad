#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --hosts
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)"
# The tests of the Windows build under wine run in their own stage below.
ctest --test-dir build --output-on-failure -j"$(nproc)" -LE wine | tee build/ctest.log

# Hardening stages: each proves that nothing a host can send breaks the plug-in.
stage() {
  local start=$SECONDS
  echo "== $1"
  "$@"
  echo "== $1 passed in $((SECONDS - start)) s"
}
stage scripts/sanitize.sh
stage scripts/tsan.sh
stage scripts/fuzz.sh
stage scripts/leaks.sh build
# The Windows deliverables, cross-built and tested under wine.
stage scripts/test-windows.sh
stage scripts/package-windows.sh
# The macOS bundles, cross-built and checked from their bytes; the encoder built by clang for
# x86-64 and for Arm (under qemu).
stage scripts/test-macos.sh
stage scripts/test-clang.sh
echo "== all stages passed in $SECONDS s"
# CTest's counts again as the closing line, now that every stage has passed too; the x86 tests
# of a kernel that starts no 32-bit programs count as skipped.
count() { sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' "$1" | tail -n1; }
tests=0
for log in build/ctest.log build-windows/ctest-*.log; do
  tests=$((tests + $(count "$log")))
done
echo "ctest: $tests passed, 0 failed, $(cat build-windows/tests-not-run 2>/dev/null || echo 0) skipped"
