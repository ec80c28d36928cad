#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The host-threads test (and the single-threaded torture) built with
# ThreadSanitizer: automation, user-interface and audio threads on one
# instance, and a host thread automating every parameter while the open
# editor idles and a knob is dragged; any data race fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-tsan
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSFERANT_BENCH=OFF \
  -DSFERANT_SANITIZE=thread >/dev/null
cmake --build "$build" -j"$(nproc)" --target test_torture test_controls

export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
"$build/tests/torture/test_torture" --gtest_filter='HostThreads.*:HostTorture.*'
"$build/tests/controls/test_controls" --gtest_filter='Editor.AutomationFromAHostThread*'
