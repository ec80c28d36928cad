#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# sferant-host loads Sferant.vst3 as it loads the VST 2.4 module: `info` names the class and its
# buses, and its renders equal the module's to the bit (a still source in both precisions and
# odd blocks, and a source moved before every block); its editor, opened by sferant-host on a
# private X server with a value the host set, shows the VST 2.4 editor's pixels.
# Usage: host_render_test.sh HOST BUNDLE MODULE SCRATCH
set -euo pipefail
host=$1 bundle=$2 module=$3 scratch=$4
sound=$(dirname "$0")/../hosts/sound.py
mkdir -p "$scratch"
info=$("$host" info "$bundle")
if ! grep -q '^class *"Sferant"' <<<"$info" || ! grep -q '^buses *2 in, 36 out' <<<"$info"; then
  echo "FAILED: sferant-host info: $info" >&2
  exit 1
fi
still="--azimuth 30 --elevation 20 --nfc --distance 2.5 --width 60 --order 5 --weight SN3D --stereo"
while read -r options; do
  "$host" render "$module" demo "$scratch/vst2.wav" $options >/dev/null
  "$host" render "$bundle" demo "$scratch/vst3.wav" $options >/dev/null
  python3 "$sound" compare "$scratch/vst2.wav" "$scratch/vst3.wav" || {
    echo "FAILED: the renders differ with $options" >&2
    exit 1
  }
done <<END
$still
$still --double --block 333
--order 3 --azimuth-sweep -90:90
END
for plugin in "$module" "$bundle"; do
  xvfb-run -a -n $((100 + $$ % 800)) "$host" editor "$plugin" --seconds 1 --set Azimuth=0.25 --set Order=0.5 \
    --screenshot "$scratch/$(basename "$plugin").png" >/dev/null
done
cmp -s "$scratch/$(basename "$module").png" "$scratch/$(basename "$bundle").png" || {
  echo "FAILED: the editors' screenshots differ" >&2
  exit 1
}
