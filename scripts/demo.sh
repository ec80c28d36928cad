#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The main job: build the plug-in module and the command-line host (not the tests), show what a
# host sees of the module, then encode the built-in demo signal (noise bursts) at a fixed
# direction into a 36-channel 5th-order file and draw its energy map.
# SN3D keeps every component within the input's level; the default SN2D weighting gives the bare
# Legendre values, which reach hundreds of times the input at 5th order.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
# Targets only: the cache keeps the tests and benchmarks on for a later scripts/test.sh.
cmake --build build -j"$(nproc)" --target Sferant sferant-host
build/tools/sferant-host info build/Sferant.so
echo
mkdir -p out
build/tools/sferant-host render build/Sferant.so demo out/demo.wav \
  --order 5 --weight SN3D --azimuth 45 --elevation 20 --map out/demo.png
echo
echo "Encoded: $PWD/out/demo.wav"
echo "Its energy by direction, to look at: $PWD/out/demo.png"
