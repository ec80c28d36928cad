#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Speed against a third-party peer: Debian's stereo Ambisonic encoder module at 5th order,
# against build/Sferant.so at 5th order, full sphere, stereo input, near-field compensation off.
# Both run in the same sferant-host bench, block sizes 64 and 512: still straight ahead (where
# most components are zero), Sferant still at an ordinary direction too, then moving: the host
# sets each module's azimuth and elevation before every block; the peer also moving with its
# own clean-motion setting, "Sample-wise Panning", on. Usage: bench/compare-peer.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-2}"

source scripts/apt.sh
apt_install_missing iem-plugin-suite-vst >/dev/null
peer="$(dpkg -L iem-plugin-suite-vst | grep '/libStereoEncoder\.so$' | head -n1)"
[ -n "$peer" ] || { echo "the peer's stereo encoder module was not found" >&2; exit 1; }

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j2 --target Sferant sferant-host >/dev/null
host=build/tools/sferant-host
results="$(mktemp -d)"
trap 'rm -rf "$results"' EXIT

# The peer's order choice runs Auto, 0th ... 7th in eighths: 0.75 is 5th order.
peerOptions=(--set "Ambisonics Order=0.75")
ownOptions=(--order 5 --stereo)
peerMoving=(--move "Azimuth Angle" --move "Elevation Angle")
peerSampleWise=(--set "Sample-wise Panning=1")
ownMoving=(--move Azimuth --move Elev)
ownOrdinary=(--azimuth 30 --elevation 20)
run() { # NAME MODULE OPTIONS...
  local name=$1 module=$2
  shift 2
  echo "$name: $module $*"
  "$host" bench "$module" "$@" --block 64 --block 512 --seconds "$seconds" | tee "$results/$name"
  echo
}
run peer "$peer" "${peerOptions[@]}"
run own build/Sferant.so "${ownOptions[@]}"
run own-ordinary build/Sferant.so "${ownOptions[@]}" "${ownOrdinary[@]}"
run peer-moving "$peer" "${peerOptions[@]}" "${peerMoving[@]}"
run peer-sample-wise "$peer" "${peerOptions[@]}" "${peerSampleWise[@]}" "${peerMoving[@]}"
run own-moving build/Sferant.so "${ownOptions[@]}" "${ownMoving[@]}"

# Rows of the bench table: block frames ns/frame realtime.
awk 'FNR == 1 { file++ } $1 ~ /^[0-9]+$/ { ns[file, $1] = $3; blocks[$1] = 1 }
  END {
    printf "%6s | %9s %9s %9s | %9s %9s %9s | %8s %8s\n", "", "still", "", "",
      "moving", "", "", "", ""
    printf "%6s | %9s %9s %9s | %9s %9s %9s | %8s %8s\n", "block", "peer", "Sferant",
      "ordinary", "peer", "smp-wise", "Sferant", "mov/ord", "smp/mov"
    for (b in blocks)
      printf "%6d | %9.2f %9.2f %9.2f | %9.2f %9.2f %9.2f | %8.2f %8.1f\n", b, ns[1, b],
        ns[2, b], ns[3, b], ns[4, b], ns[5, b], ns[6, b], ns[6, b] / ns[3, b], ns[5, b] / ns[6, b]
  }' "$results/peer" "$results/own" "$results/own-ordinary" "$results/peer-moving" \
  "$results/peer-sample-wise" "$results/own-moving" | sort -n
echo "ns per frame. ordinary: Sferant still at azimuth 30, elevation 20; smp-wise: the peer moving"
echo "with sample-wise panning; mov/ord: Sferant moving over still at the ordinary direction;"
echo "smp/mov: how many times faster Sferant moves than the peer with sample-wise panning"
