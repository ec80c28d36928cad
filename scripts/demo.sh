#!/usr/bin/env bash
# The main job: build the plug-in module and show what a host sees of it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)"
build/tools/sferant-host info build/Sferant.so
