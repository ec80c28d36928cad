#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Packs the Windows build (scripts/build-windows.sh) into one zip: the 64-bit and the 32-bit
# module, each with the command-line host of its architecture beside it (a host loads modules
# of its own architecture only), the README's Windows section and the licence.
# Usage: scripts/package-windows.sh [BUILD_FOLDER]   (default build-windows)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-windows}
version=$(sed -n 's/^project(Sferant VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name=sferant-$version-windows

files=(x64/Sferant.dll x64/SferantAmbiX.dll x64/Sferant.clap x64/sferant-host.exe
  x86/Sferant.dll x86/SferantAmbiX.dll x86/Sferant.clap x86/sferant-host.exe
  x64/Sferant.vst3/Contents/x86_64-win/Sferant.vst3 x86/Sferant.vst3/Contents/x86-win/Sferant.vst3)
for file in "${files[@]}"; do
  if [ ! -f "$build/$file" ]; then
    echo "package-windows: $build/$file is missing (scripts/build-windows.sh builds it)" >&2
    exit 1
  fi
done

stage=$build/$name
rm -rf "$stage" "$build/$name.zip"
mkdir -p "$stage/x64" "$stage/x86"
for file in "${files[@]}"; do
  # One VST3 bundle holds both architectures.
  to=$stage/$file
  [[ $file != */Sferant.vst3/* ]] || to=$stage/${file#*/}
  mkdir -p "$(dirname "$to")"
  cp "$build/$file" "$to"
done
cp LICENSE "$stage/LICENSE.txt"
# The README's Windows section (from its heading to the next one); the whole README without one.
awk '/^## .*Windows/ { on = 1; print; next } on && /^## / { exit } on' README.md >"$stage/README.txt"
[ -s "$stage/README.txt" ] || cp README.md "$stage/README.txt"
(cd "$build" && cmake -E tar cf "$name.zip" --format=zip "$name")
rm -rf "$stage"
echo "$build/$name.zip"
