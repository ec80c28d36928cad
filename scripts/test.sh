#!/usr/bin/env bash
# Builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure -j"$(nproc)"

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
echo "== all tests passed in $SECONDS s"
