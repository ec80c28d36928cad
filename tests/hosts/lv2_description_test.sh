#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The bundle's description as LV2's own tools read it: lv2_validate (sord_validate against the
# LV2 schemas Debian installs) finds no error, and lv2info lists the plug-in, its ports and its
# UI.
# Usage: lv2_description_test.sh LV2_DIR
set -euo pipefail
lv2_dir=$(realpath "$1")
source "$(dirname "$0")/host_env.sh"
bundle=$lv2_dir/Sferant.lv2

validation=$(lv2_validate "$bundle"/*.ttl 2>&1) || fail "lv2_validate: $validation"
grep -q '^Found 0 errors' <<<"$validation" || fail "lv2_validate: $validation"
grep -i 'warn' <<<"$validation" && fail "lv2_validate warns: $validation"
echo "$(tail -n1 <<<"$validation")"

info=$(LV2_PATH="$lv2_dir:/usr/lib/lv2" lv2info urn:sferant:encoder 2>&1) || fail "lv2info: $info"
expect() {
  grep -Eq "$1" <<<"$info" || fail "lv2info shows no line matching '$1':"$'\n'"$info"
}
expect $'^\tName: +Sferant$'
expect $'^\tClass: +Spatial Plugin$'
expect $'^\t\turn:sferant:encoder:ui$'
expect $'^\t\t\tClass: +http://lv2plug.in/ns/extensions/ui#X11UI$'
expect $'^\t\t\tBinary: +file://'"$bundle"'/sferant_ui.so$'
expect $'^\tBinary: +file://'"$bundle"'/sferant_dsp.so$'
expect 'lv2core#hardRTCapable'
ports=$(grep -c $'^\tPort [0-9]*:$' <<<"$info")
[ "$ports" = 47 ] || fail "lv2info lists $ports ports, not 2 inputs, 36 outputs and 9 controls"
audio=$(grep -c 'lv2core#AudioPort' <<<"$info")
[ "$audio" = 38 ] || fail "lv2info lists $audio audio ports, not 38"
echo "lv2info: $ports ports ($audio audio), the UI urn:sferant:encoder:ui (X11)"
