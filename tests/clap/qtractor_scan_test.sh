#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Debian's qtractor scanner reads "CLAP:PATH" lines and writes a line per plug-in it finds:
#   CLAP|name|inputs:outputs|midi in:out|params:...|flags|path|index|id
# It exits 0 even for a module it cannot load, so its lines are what tells.
#   qtractor_scan_test.sh SCANNER MODULE
set -euo pipefail
scanner=$1 module=$2
[ -x "$scanner" ] || { echo "no $scanner (scripts/deps.sh --hosts installs qtractor)"; exit 1; }

lines=$(echo "CLAP:$module" | QT_QPA_PLATFORM=offscreen timeout 30 "$scanner" 2>&1)
echo "$lines"
for expected in "CLAP|Sferant|2:36|0:0|9:0|" "CLAP|Sferant AmbiX|2:36|0:0|9:0|"; do
  if ! grep -qF "$expected" <<<"$lines"; then
    echo "no line starting $expected"
    exit 1
  fi
done
