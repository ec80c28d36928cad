#!/usr/bin/env bash
# Speed against a third-party peer: Debian's stereo Ambisonic encoder module at 5th order,
# against build/Sferant.so at 5th order, full sphere, stereo input, near-field compensation off.
# Both run in the same sferant-host bench, block sizes 64 and 512. Usage: bench/compare-peer.sh [SECONDS]
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
echo "peer: $peer"
"$host" bench "$peer" --set "Ambisonics Order=0.75" --block 64 --block 512 --seconds "$seconds" | tee "$results/peer"
echo
echo "ours: build/Sferant.so"
"$host" bench build/Sferant.so --order 5 --stereo --block 64 --block 512 --seconds "$seconds" | tee "$results/own"
echo

# Rows of the bench table: block frames ns/frame realtime.
awk 'FNR == 1 { file++ } $1 ~ /^[0-9]+$/ { ns[file, $1] = $3; blocks[$1] = 1 }
  END {
    printf "%6s %16s %16s %8s\n", "block", "peer ns/frame", "Sferant ns/frame", "ratio"
    for (b in blocks)
      printf "%6d %16.2f %16.2f %8.2f\n", b, ns[1, b], ns[2, b], ns[2, b] / ns[1, b]
  }' "$results/peer" "$results/own" | sort -n
echo "ratio: Sferant's time per frame over the peer's (below 1: Sferant is faster)"
