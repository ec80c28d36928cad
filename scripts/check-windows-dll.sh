#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks what a built Sferant.dll shows a host: it exports exactly VSTPluginMain and main, and
# imports nothing but Windows' own DLLs (everything else is linked in statically).
#   scripts/check-windows-dll.sh build-windows/x64/Sferant.dll
set -euo pipefail
dll=$1
table=$(x86_64-w64-mingw32-objdump -p "$dll")
exports=$(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$table" |
  sed -n 's/^\s*\[ *[0-9]*\] //p' | sort | tr '\n' ' ')
imports=$(sed -n 's/^\s*DLL Name: //p' <<<"$table" | sort -f | tr '\n' ' ')
echo "$dll ($(sed -n 's/.*file format //p' <<<"$table" | head -n1))"
echo "  exports: $exports"
echo "  imports: $imports"
status=0
if [ "$exports" != "VSTPluginMain main " ]; then
  echo "  exports other than VSTPluginMain and main" >&2
  status=1
fi
for name in $imports; do
  case "${name,,}" in
  kernel32.dll | user32.dll | gdi32.dll | msvcrt.dll) ;;
  *)
    echo "  imports $name, which is not part of Windows" >&2
    status=1
    ;;
  esac
done
exit $status
