#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The bundle's description as LV2's own tools read it: lv2_validate (sord_validate against the
# LV2 schemas Debian installs) finds no error, and lv2info lists both plug-ins (Sferant and
# Sferant AmbiX), their ports and their UIs.
# Usage: lv2_description_test.sh LV2_DIR
set -euo pipefail
lv2_dir=$(realpath "$1")
source "$(dirname "$0")/host_env.sh"
bundle=$lv2_dir/Sferant.lv2

validation=$(lv2_validate "$bundle"/*.ttl 2>&1) || fail "lv2_validate: $validation"
grep -q '^Found 0 errors' <<<"$validation" || fail "lv2_validate: $validation"
grep -i 'warn' <<<"$validation" && fail "lv2_validate warns: $validation"
echo "$(tail -n1 <<<"$validation")"

# Each plug-in: its URI, name, UI, the name of its second output and its starting weight.
check_plugin() {
  local uri=$1 name=$2 ui=$3 second=$4 weight=$5 info ports audio
  info=$(LV2_PATH="$lv2_dir:/usr/lib/lv2" lv2info "$uri" 2>&1) || fail "lv2info $uri: $info"
  expect() {
    grep -Eq "$1" <<<"$info" || fail "lv2info $uri shows no line matching '$1':"$'\n'"$info"
  }
  expect $'^\tName: +'"$name"'$'
  expect $'^\tClass: +Spatial Plugin$'
  expect $'^\t\t'"$ui"'$'
  expect $'^\t\t\tClass: +http://lv2plug.in/ns/extensions/ui#X11UI$'
  expect $'^\t\t\tBinary: +file://'"$bundle"'/sferant_ui.so$'
  expect $'^\tBinary: +file://'"$bundle"'/sferant_dsp.so$'
  expect 'lv2core#hardRTCapable'
  grep -A4 $'^\tPort 3:$' <<<"$info" | grep -Eq $'^\t\tName: +'"$second"'$' ||
    fail "$uri: output 1 is not named $second"
  grep -EA4 $'Symbol: +weight$' <<<"$info" | grep -Eq $'Default: +'"$weight"'\.0+$' ||
    fail "$uri: the weight does not start at $weight"
  ports=$(grep -c $'^\tPort [0-9]*:$' <<<"$info")
  [ "$ports" = 47 ] || fail "$uri: lv2info lists $ports ports, not 2 inputs, 36 outputs and 9 controls"
  audio=$(grep -c 'lv2core#AudioPort' <<<"$info")
  [ "$audio" = 38 ] || fail "$uri: lv2info lists $audio audio ports, not 38"
  echo "lv2info $uri: \"$name\", $ports ports ($audio audio), output 1 $second, the UI $ui (X11)"
}
check_plugin urn:sferant:encoder Sferant urn:sferant:encoder:ui X 0
check_plugin urn:sferant:ambix "Sferant AmbiX" urn:sferant:ambix:ui Y 2
