#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Valgrind's leak check on the instance lifecycle test of the normal build
# (scripts/test.sh builds it): 200 instances created through the entry point,
# used and closed. Any byte definitely or indirectly lost fails the run.
# (The editor's open and close cycles are leak-checked by LeakSanitizer in
# scripts/sanitize.sh; under valgrind they would take too long.)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
valgrind --leak-check=full --errors-for-leak-kinds=definite,indirect \
  --error-exitcode=1 --suppressions=scripts/valgrind.supp \
  "$build/tests/torture/test_torture" \
  --gtest_filter='InstanceLifecycle.twoHundredInstancesThroughTheEntryPointLeaveNothingBehind'
