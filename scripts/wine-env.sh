# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the wine scripts. `wine_env ARCH` (x64 or x86) exports what runs Windows programs
# of that architecture under wine, in the Windows build's own prefix for it (made by
# scripts/test-windows.sh), and sets WINE_LOADER to wine's loader for it.
# The loader of the program's own architecture runs it in the calling process. Debian's `wine`
# takes the 32-bit loader whenever that is installed, and it hands a 64-bit program to a second
# process: a signal sent to the first one would never reach the program.
wine_env() {
  local build
  build=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build-windows
  case "$1" in
  x64)
    WINE_LOADER=/usr/lib/wine/wine64
    export WINEPREFIX=$build/wine
    unset WINEARCH
    ;;
  x86)
    WINE_LOADER=/usr/lib/wine/wine
    export WINEPREFIX=$build/wine32 WINEARCH=win32
    ;;
  *)
    echo "wine_env: no architecture $1 (x64 or x86)" >&2
    return 1
    ;;
  esac
  export WINELOADER=$WINE_LOADER WINEDEBUG=${WINEDEBUG:--all}
}
