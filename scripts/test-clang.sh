#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The encoder's tests built by clang-16, the compiler family of the macOS build, for x86-64 and
# for 64-bit Arm Linux (cmake/linux-aarch64.cmake), the latter run under qemu-user: the
# processor paths of Apple silicon (no wider vectors, the FPCR's denormal flush) that run
# nowhere else on this machine.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/apt.sh
apt_install_missing clang-16 lld-16 g++-aarch64-linux-gnu qemu-user googletest libgtest-dev

# build_tests FOLDER "MORE TARGETS" [cmake options]: the test and what it links, not the modules
# with their window system (the /fast rule skips the ordering on them).
build_tests() {
  local build=$1 more=$2
  shift 2
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DSFERANT_BENCH=OFF \
    -DSFERANT_HOST_TOOL=OFF "$@" >/dev/null
  # shellcheck disable=SC2086 # a list of targets
  cmake --build "$build" -j"$(nproc)" --target sferant_vst2_windowless sferant_test_support $more
  cmake --build "$build" -j"$(nproc)" --target test_encoder/fast
}

build_tests build-clang "" -DCMAKE_C_COMPILER=clang-16 -DCMAKE_CXX_COMPILER=clang++-16
build-clang/tests/encoder/test_encoder --gtest_brief=1 --gtest_filter=-AmbixEdition.*

# GoogleTest from Debian's source, built for the target.
build_tests build-aarch64 "gtest gtest_main gmock" -DCMAKE_TOOLCHAIN_FILE=cmake/linux-aarch64.cmake
# Left to the x86-64 runs: the editions' tests load the built modules, which carry the window
# system; the still-source digests are of the x86-64 maths library's sines and cosines (its
# fused multiply-add variants: the same program on the library's plain ones differs too).
qemu-aarch64 -L /usr/aarch64-linux-gnu build-aarch64/tests/encoder/test_encoder --gtest_brief=1 \
  --gtest_filter=-AmbixEdition.*:StillSource.OutputIsBitForBitWhatItWasBeforeMotionWasSmoothed
