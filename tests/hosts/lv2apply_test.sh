#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# lilv's lv2apply renders the stereo test signal through one of the bundle's plug-ins, and
# sferant-host through the VST 2.4 module of the same edition, at the same settings: every
# sample must be the same, bit for bit.
# Usage: lv2apply_test.sh LV2_DIR PLUGIN_URI VST_MODULE SFERANT_HOST SCRATCH
set -euo pipefail
lv2_dir=$(realpath "$1") uri=$2 module=$3 host=$4 scratch=$5
here=$(dirname "$0")
source "$here/host_env.sh"
rm -rf "$scratch"
mkdir -p "$scratch"
export LV2_PATH="$lv2_dir:/usr/lib/lv2"
python3 "$here/sound.py" signal "$scratch/in.wav" 48000

# Each case: sferant-host's options, then lv2apply's controls (port symbol and value).
cases=(
  "--set Input=0 | input 0"
  "--azimuth 30 --elevation 20 --width 60 --order 5 --weight N3D --nfc --distance 2.5 --stereo |
   azimuth 30 elevation 20 width 60 order 5 weight 3 nfc 1 distance 2.5 input 1"
  "--azimuth -135 --elevation -45 --order 3 --weight Fu-Ma --2d --nfc --distance 0.5 --set Input=0 |
   azimuth -135 elevation -45 order 3 weight 4 output 1 nfc 1 distance 0.5 input 0"
  "--azimuth 180 --elevation 90 --order 4 --weight SN2D --stereo --width 180 |
   azimuth 180 elevation 90 order 4 weight 0 input 1 width 180"
)
for case in "${cases[@]}"; do
  case=${case//$'\n'/ }
  read -ra options <<<"${case%%|*}"
  read -ra controls <<<"${case#*|}"
  lv2_options=()
  for ((i = 0; i < ${#controls[@]}; i += 2)); do
    lv2_options+=(-c "${controls[i]}" "${controls[i + 1]}")
  done
  "$host" render "$module" "$scratch/in.wav" "$scratch/vst.wav" "${options[@]}" >/dev/null ||
    fail "sferant-host render ${options[*]}"
  lv2apply -i "$scratch/in.wav" -o "$scratch/lv2.wav" "${lv2_options[@]}" "$uri" ||
    fail "lv2apply ${lv2_options[*]}"
  result=$(python3 "$here/sound.py" compare "$scratch/vst.wav" "$scratch/lv2.wav" 2>&1) ||
    fail "${options[*]}: $result"
  echo "${options[*]}: $result"
done
