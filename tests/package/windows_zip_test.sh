#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows zip holds both plug-ins for both architectures, each with the host of its architecture, the README and the
# licence, in one folder named with the version. Built here from stand-ins for the cross-built files.
# Usage: windows_zip_test.sh SOURCE_DIR VERSION SCRATCH
set -euo pipefail
source=$1 version=$2 scratch=$3

rm -rf "$scratch"
mkdir -p "$scratch/x64" "$scratch/x86"
modules="x64/Sferant.dll x64/SferantAmbiX.dll x64/Sferant.clap x86/Sferant.dll x86/SferantAmbiX.dll
  x86/Sferant.clap"
vst3="Sferant.vst3/Contents/x86_64-win/Sferant.vst3 Sferant.vst3/Contents/x86-win/Sferant.vst3"
for file in $modules x64/sferant-host.exe x86/sferant-host.exe x64/${vst3% *} x86/${vst3#* }; do
  mkdir -p "$(dirname "$scratch/$file")"
  echo "$file" >"$scratch/$file"
done
"$source/scripts/package-windows.sh" "$scratch" >/dev/null
zip=$scratch/sferant-$version-windows.zip
listing=$(cd "$scratch" && cmake -E tar tf "$zip")
for entry in $modules $vst3 x64/sferant-host.exe x86/sferant-host.exe README.txt LICENSE.txt; do
  grep -qx "sferant-$version-windows/$entry" <<<"$listing" || {
    echo "FAILED: $zip lacks $entry: $listing" >&2
    exit 1
  }
done
