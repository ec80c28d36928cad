#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the macOS bundles (scripts/build-macos.sh) and checks each one from its bytes as a Mac
# would load it (tests/macos/check_bundle.py); then shows that the check sees one changed byte.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/macos-targets.sh
scripts/build-macos.sh

slices=()
for slice in "${macos_slices[@]}"; do slices+=("$slice=${macos_minimum[$slice]}"); done
check() {
  python3 tests/macos/check_bundle.py "$1" build-macos/sdk "$2" "${slices[@]}"
}

# Each bundle with the entry points its hosts look for.
check build-macos/Sferant.vst _VSTPluginMain
check build-macos/SferantAmbiX.vst _VSTPluginMain
check build-macos/Sferant.vst3 _GetPluginFactory,_bundleEntry,_bundleExit
check build-macos/Sferant.clap _clap_entry

changed=$(mktemp -d)
trap 'rm -rf "$changed"' EXIT
cp -R build-macos/Sferant.vst "$changed/"
binary=$changed/Sferant.vst/Contents/MacOS/Sferant
printf '\xcc' | dd of="$binary" bs=1 seek=$(($(stat -c %s "$binary") / 3)) conv=notrunc status=none
if check "$changed/Sferant.vst" _VSTPluginMain >"$changed/log"; then
  echo "a changed byte went unnoticed" >&2
  exit 1
fi
echo "a changed byte is found: $(grep -o 'FAILED.*' "$changed/log")"
