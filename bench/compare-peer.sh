#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Speed against a third-party peer: Debian's stereo Ambisonic encoder module at 5th order,
# against build/Sferant.so at 5th order, full sphere, stereo input, near-field compensation off.
# Both run in the same sferant-host bench, block sizes 64 and 512, first still, then moving: the
# host sets each module's azimuth and elevation before every block. Usage: bench/compare-peer.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-2}"

if ! dpkg-query -W -f='${Status}' iem-plugin-suite-vst 2>/dev/null | grep -q "install ok installed"; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq iem-plugin-suite-vst >/dev/null
fi
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
ownMoving=(--move Azimuth --move Elev)
run() { # NAME MODULE OPTIONS...
  local name=$1 module=$2
  shift 2
  echo "$name: $module $*"
  "$host" bench "$module" "$@" --block 64 --block 512 --seconds "$seconds" | tee "$results/$name"
  echo
}
run peer "$peer" "${peerOptions[@]}"
run own build/Sferant.so "${ownOptions[@]}"
run peer-moving "$peer" "${peerOptions[@]}" "${peerMoving[@]}"
run own-moving build/Sferant.so "${ownOptions[@]}" "${ownMoving[@]}"

# Rows of the bench table: block frames ns/frame realtime.
awk 'FNR == 1 { file++ } $1 ~ /^[0-9]+$/ { ns[file, $1] = $3; blocks[$1] = 1 }
  END {
    printf "%6s | %10s %10s %6s | %10s %10s %6s\n", "", "still", "", "", "moving", "", ""
    printf "%6s | %10s %10s %6s | %10s %10s %6s\n", "block", "peer", "Sferant", "ratio",
      "peer", "Sferant", "ratio"
    for (b in blocks)
      printf "%6d | %10.2f %10.2f %6.2f | %10.2f %10.2f %6.2f\n", b, ns[1, b], ns[2, b],
        ns[2, b] / ns[1, b], ns[3, b], ns[4, b], ns[4, b] / ns[3, b]
  }' "$results/peer" "$results/own" "$results/peer-moving" "$results/own-moving" | sort -n
echo "ns per frame; ratio: Sferant's time over the peer's (below 1: Sferant is faster)"
