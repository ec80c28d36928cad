#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The compilers of the macOS build, called through links named build-macos/bin/<slice>-cc and
# <slice>-c++. Compiling (-c) goes to the zig package's clang with its libc++ headers for the
# slice's target; linking goes to clang-16 driving ld64.lld-16 against the stubs in
# build-macos/sdk, with the libc++ and libc++abi archives of the slice linked in.
set -euo pipefail
name=$(basename "$0")
slice=${name%-*}
language=${name##*-}
out=$(cd "$(dirname "$0")/.." && pwd)
source "$(dirname "$(readlink -f "$0")")/../scripts/macos-targets.sh"
minimum=${macos_minimum[$slice]}

for arg; do
  if [ "$arg" = -c ]; then
    exec "$out/zig/zig" "$language" -target "${slice/arm64/aarch64}-macos.$minimum" "$@"
  fi
done
exec clang-16 --target="$slice-apple-macos$minimum" -isysroot "$out/sdk" -fuse-ld=lld \
  --ld-path=/usr/bin/ld64.lld-16 -nostdlib++ "$@" \
  "$out/libcxx/$slice/libc++.a" "$out/libcxx/$slice/libc++abi.a"
