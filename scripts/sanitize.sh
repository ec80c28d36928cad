#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The whole test suite once more, built with AddressSanitizer and
# UndefinedBehaviorSanitizer. Any report stops the test process; LeakSanitizer
# checks every test process at exit. Benchmarks are not built here.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-asan
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSFERANT_BENCH=OFF \
  -DSFERANT_SANITIZE=address,undefined >/dev/null
cmake --build "$build" -j"$(nproc)"

export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=1:strict_init_order=1:fast_unwind_on_malloc=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
