#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package, checks what it holds and what it depends on, unpacks it into a
# scratch root and runs the packaged host on the packaged module.
# Usage: debian_package_test.sh CPACK CPACK_CONFIG VERSION SCRATCH
set -euo pipefail
cpack=$1 config=$2 version=$3 scratch=$4

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

rm -rf "$scratch"
mkdir -p "$scratch"
"$cpack" --config "$config" -G DEB -B "$scratch" >"$scratch/cpack.log" 2>&1 ||
  fail "cpack: $(cat "$scratch/cpack.log")"
deb=$scratch/sferant_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $deb: $(ls "$scratch")"

contents=$(dpkg-deb -c "$deb")
bundle=/usr/lib/lv2/Sferant.lv2
for path in /usr/lib/lxvst/Sferant.so /usr/lib/lxvst/SferantAmbiX.so /usr/lib/clap/Sferant.clap \
  /usr/lib/vst3/Sferant.vst3/Contents/x86_64-linux/Sferant.so \
  /usr/bin/sferant-host \
  /usr/share/man/man1/sferant-host.1.gz \
  $bundle/manifest.ttl $bundle/sferant.ttl $bundle/sferant_ui.ttl $bundle/sferant_dsp.so \
  $bundle/sferant_ui.so \
  /usr/share/doc/sferant/copyright /usr/share/doc/sferant/sferant-host.md; do
  grep -q " \.$path\$" <<<"$contents" || fail "the package lacks $path"
done
# Nothing outside /usr (a user's folder, say).
if grep -v ' \./usr/' <<<"$contents" | grep -qv ' \./$'; then
  fail "files outside /usr: $contents"
fi

depends=$(dpkg-deb -f "$deb" Depends)
names=$(sed 's/ ([^)]*)//g; s/, /\n/g' <<<"$depends")
for library in libc6 libstdc++6 libx11-6 libcairo2 libpng16-16 libsndfile1 libambix0; do
  grep -Fxq "$library" <<<"$names" || fail "Depends lacks $library: $depends"
done

dpkg-deb -x "$deb" "$scratch/root"
info=$("$scratch/root/usr/bin/sferant-host" info "$scratch/root/usr/lib/lxvst/Sferant.so")
grep -q '^effect .*"Sferant' <<<"$info" || fail "the packaged host did not load the module: $info"
[ "$("$scratch/root/usr/bin/sferant-host" --version)" = "sferant-host $version" ] ||
  fail "the packaged host is not version $version"
# The packaged bundle as an LV2 host finds it (where lilv's tools are installed).
if command -v lv2info >/dev/null; then
  lv2info=$(LV2_PATH="$scratch/root/usr/lib/lv2:/usr/lib/lv2" lv2info urn:sferant:encoder 2>&1) ||
    fail "lv2info does not find the packaged bundle: $lv2info"
  grep -q "Binary: *file://$scratch/root$bundle/sferant_dsp.so" <<<"$lv2info" ||
    fail "lv2info: $lv2info"
fi
echo "$deb: $(wc -l <<<"$contents") entries; Depends: $depends"
