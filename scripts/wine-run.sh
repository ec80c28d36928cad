#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Windows program under wine in the Windows build's prefix for its architecture:
# CTest's emulator for the cross-built tests.
#   scripts/wine-run.sh x64|x86 PROGRAM [ARGUMENTS...]
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
wine_env "${1:-}"
shift
exec "$WINE_LOADER" "$@"
