#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-builds the Windows deliverables on this Debian machine with MinGW-w64:
#   build-windows/x64/Sferant.dll, sferant-host.exe   for 64-bit hosts, and the test programs
#   build-windows/x86/Sferant.dll, sferant-host.exe   for 32-bit hosts, and the test programs
# Installs what it needs (skipped when present) and builds libpng and libsndfile from Debian's
# source packages into build-windows/deps/<arch>; zlib is Debian's libz-mingw-w64-dev.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=$root/build-windows

packages=(
  cmake pkg-config dpkg-dev googletest
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix libz-mingw-w64-dev
)

# apt-get source needs deb-src entries beside the deb ones the machine has.
enable_sources() {
  [ -n "$(apt-cache showsrc libpng1.6 2>/dev/null)" ] && return
  local list=/etc/apt/sources.list.d/sferant-deb-src.sources
  # Said on stderr: fetch_source's caller reads its stdout.
  echo "adding deb-src entries ($list)" >&2
  $SUDO tee "$list" >/dev/null <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  apt_update >&2
}

# Unpacks Debian's source of $1 (with Debian's patches applied) into build-windows/src and
# prints its folder. The newest revision comes first; when the archive does not serve its files
# yet (a fresh security update whose .dsc is still missing), the next older one is used, and the
# run says which. (When this was written: libpng1.6 1.6.39-2+deb12u6 was listed but not served,
# so 1.6.39-2+deb12u5 was used; libsndfile 1.2.0-1+deb12u1.)
fetch_source() {
  local package=$1 dir=$out/src/$1 version unpacked
  if [ -f "$dir/.version" ]; then
    read -r unpacked version <"$dir/.version"
    echo "using $package $version" >&2
    echo "$dir/$unpacked"
    return
  fi
  enable_sources
  mkdir -p "$dir"
  for version in $(apt-cache showsrc "$package" | sed -n 's/^Version: //p' | sort -rV | uniq); do
    rm -rf "${dir:?}"/*
    if (cd "$dir" && apt-get source -qq -o APT::Sandbox::User=root "$package=$version" >&2); then
      unpacked=$(cd "$dir" && find . -mindepth 1 -maxdepth 1 -type d -printf '%f\n' | head -n1)
      echo "$unpacked $version" >"$dir/.version"
      echo "using $package $version" >&2
      echo "$dir/$unpacked"
      return
    fi
    echo "$package $version is not served by the archive; trying the previous revision" >&2
  done
  echo "cannot fetch the source of $package" >&2
  return 1
}

# build_dependency NAME ARCH SOURCE [cmake options]: a static build installed into deps/ARCH.
build_dependency() {
  local name=$1 arch=$2 source=$3
  shift 3
  local prefix=$out/deps/$arch
  [ -f "$prefix/.$name" ] && return
  echo "building $name for $arch"
  cmake -S "$source" -B "$out/deps-build/$arch/$name" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DBUILD_SHARED_LIBS=OFF -Wno-dev -Wno-deprecated "$@" >/dev/null
  cmake --build "$out/deps-build/$arch/$name" -j"$(nproc)" >/dev/null
  cmake --install "$out/deps-build/$arch/$name" >/dev/null
  touch "$prefix/.$name"
}

build_dependencies() {
  local png sndfile arch
  png=$(fetch_source libpng1.6)
  for arch in x64 x86; do
    build_dependency libpng "$arch" "$png" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
      -DPNG_EXECUTABLES=OFF -DSKIP_INSTALL_PROGRAMS=ON -DSKIP_INSTALL_FILES=ON
  done
  # sferant-host.exe reads and writes WAV, AIFF, CAF and W64 itself: no external codecs.
  sndfile=$(fetch_source libsndfile)
  for arch in x64 x86; do
    build_dependency libsndfile "$arch" "$sndfile" -DENABLE_EXTERNAL_LIBS=OFF -DENABLE_MPEG=OFF \
      -DBUILD_PROGRAMS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_TESTING=OFF -DENABLE_CPACK=OFF \
      -DINSTALL_MANPAGES=OFF
  done
}

source scripts/apt.sh
apt_install_missing "${packages[@]}"
build_dependencies

# Both builds carry the module, the host and the tests.
for arch in x64 x86; do
  cmake -S . -B "$out/$arch" -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-$arch.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DSFERANT_BENCH=OFF >/dev/null
  cmake --build "$out/$arch" -j"$(nproc)"
done
ls -l "$out"/{x64,x86}/{Sferant.dll,SferantAmbiX.dll,Sferant.clap,sferant-host.exe} "$out"/*/Sferant.vst3/Contents/*/*
