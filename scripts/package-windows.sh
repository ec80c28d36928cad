#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Packs the Windows build (scripts/build-windows.sh) into one zip: the 64-bit and the 32-bit
# module, the command-line host beside the 64-bit one (it loads 64-bit modules), the README's
# Windows section and the licence.
# Usage: scripts/package-windows.sh [BUILD_FOLDER]   (default build-windows)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-windows}
version=$(sed -n 's/^project(Sferant VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name=sferant-$version-windows

for file in "$build/x64/Sferant.dll" "$build/x86/Sferant.dll" "$build/x64/sferant-host.exe"; do
  if [ ! -f "$file" ]; then
    echo "package-windows: $file is missing (scripts/build-windows.sh builds it)" >&2
    exit 1
  fi
done

stage=$build/$name
rm -rf "$stage" "$build/$name.zip"
mkdir -p "$stage/x64" "$stage/x86"
cp "$build/x64/Sferant.dll" "$stage/x64/"
cp "$build/x86/Sferant.dll" "$stage/x86/"
cp "$build/x64/sferant-host.exe" "$stage/x64/"
cp LICENSE "$stage/LICENSE.txt"
# The README's Windows section (from its heading to the next one); the whole README without one.
awk '/^## .*Windows/ { on = 1; print; next } on && /^## / { exit } on' README.md >"$stage/README.txt"
[ -s "$stage/README.txt" ] || cp README.md "$stage/README.txt"
(cd "$build" && cmake -E tar cf "$name.zip" --format=zip "$name")
rm -rf "$stage"
echo "$build/$name.zip"
