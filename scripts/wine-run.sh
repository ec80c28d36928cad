#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Windows program under wine in the Windows build's own prefix (made on first use,
# ~15 s and ~700 MB, then reused): CTest's emulator for the cross-built tests.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
export WINEPREFIX="${WINEPREFIX:-$here/../build-windows/wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
exec wine "$@"
