#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang (address and undefined-behaviour
# sanitizers) and runs each for a bounded time from its committed seed corpus
# and regression inputs. A crash fails the run; its input is copied into
# fuzz/regressions/<target>/ to be committed, where the test suite replays it.
# SFERANT_FUZZ_SECONDS sets the time per target (default 40).
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-fuzz
seconds=${SFERANT_FUZZ_SECONDS:-40}
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSFERANT_TESTS=OFF -DSFERANT_BENCH=OFF -DSFERANT_FUZZ=ON \
  -DSFERANT_SANITIZE=fuzzer-no-link,address,undefined >/dev/null
cmake --build "$build" -j"$(nproc)" --target fuzz_dispatcher fuzz_process fuzz_png fuzz_clap fuzz_vst3

export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
failed=0
for target in dispatcher process png clap vst3; do
  work=$build/corpus/$target
  artifacts=$build/artifacts/$target
  log=$build/fuzz_$target.log
  mkdir -p "$work" "$artifacts" "fuzz/regressions/$target"
  if "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$artifacts/" \
    "$work" "fuzz/corpus/$target" "fuzz/regressions/$target" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz_$target: $runs executions in ${seconds} s, no crash"
  else
    failed=1
    tail -n 60 "$log"
    for input in "$artifacts"/*; do
      [ -f "$input" ] || continue
      cp "$input" "fuzz/regressions/$target/"
      echo "fuzz_$target: failing input kept as fuzz/regressions/$target/$(basename "$input")"
    done
  fi
done
exit $failed
