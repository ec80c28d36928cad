#!/usr/bin/env bash
# Builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure -j"$(nproc)" | tee build/ctest.log
tests=$(sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' build/ctest.log | tail -n1)

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
echo "== all stages passed in $SECONDS s"
# CTest's count again as the closing line, now that every stage has passed too.
echo "ctest: ${tests:-0} passed, 0 failed"
