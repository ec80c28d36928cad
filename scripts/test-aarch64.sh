#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The encoder's tests built for 64-bit Arm Linux (cmake/linux-aarch64.cmake) and run under
# qemu-user: the processor paths of Apple silicon that run nowhere else on this machine.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-aarch64
source scripts/apt.sh
apt_install_missing clang-16 lld-16 g++-aarch64-linux-gnu qemu-user googletest

cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/linux-aarch64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DSFERANT_BENCH=OFF -DSFERANT_HOST_TOOL=OFF >/dev/null
# The test and what it links, not the modules with their window system (the /fast rule skips
# the ordering on them).
cmake --build "$build" -j"$(nproc)" --target sferant_vst2_windowless sferant_test_support \
  gtest gtest_main gmock
cmake --build "$build" -j"$(nproc)" --target test_encoder/fast
file "$build/tests/encoder/test_encoder"
# Left to the x86-64 run: the editions' tests load the built modules, which carry the window
# system; the still-source digests are of the x86-64 maths library's sines and cosines (its
# fused multiply-add variants: the same program on the library's plain ones differs too).
qemu-aarch64 -L /usr/aarch64-linux-gnu "$build/tests/encoder/test_encoder" --gtest_brief=1 \
  --gtest_filter=-AmbixEdition.*:StillSource.OutputIsBitForBitWhatItWasBeforeMotionWasSmoothed
