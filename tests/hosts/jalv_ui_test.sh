#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The LV2 UI in jalv (GTK), a JACK client of a dummy-driver JACK server, on a private X server:
# - a value jalv sets moves the knob: the azimuth knob and read-out look as the VST 2.4
#   module's editor shows them at the same value;
# - a drag on the azimuth knob writes the port: jalv's plug-in then encodes a metronome's
#   clicks at the new azimuth, read back from its outputs W, X and Y.
# Usage: jalv_ui_test.sh LV2_DIR VST_MODULE SFERANT_HOST SCRATCH
set -euo pipefail
lv2_dir=$(realpath "$1") module=$(realpath "$2") host=$(realpath "$3") scratch=$4
source "$(dirname "$0")/host_env.sh"
rm -rf "$scratch"
mkdir -p "$scratch"
export LV2_PATH="$lv2_dir:/usr/lib/lv2"

# The azimuth knob with its read-out, in editor coordinates.
knob_area=45x73+397+69

start_xvfb "$scratch"
start_jackd "$scratch"

# The client's name, the same on every run.
client=sferant-jalv

# Starts jalv with the UI and sets `window` to the editor's own window inside jalv's.
open_jalv() {
  local attempt
  for attempt in 1 2 3; do
    start "$scratch/jalv-$attempt.log" jalv.gtk3 -x --jack-name "$client" "$@" urn:sferant:encoder
    if wait_until 20 find_editor_window; then
      find_editor_window
      sleep 0.5 # the first paint
      return 0
    fi
    stop_newest
  done
  fail "jalv showed no editor: $(cat "$scratch"/jalv-*.log)"
}

# The window of the editor's size that no client named: ours, inside jalv's socket.
find_editor_window() {
  local top
  top=$(xdotool search --onlyvisible --classname jalv.gtk3 2>/dev/null | head -n1)
  [ -n "$top" ] || return 1
  window=$(xwininfo -tree -root | awk '/\(has no name\): \(\)  535x275\+0\+0/ {print $1}' | tail -n1)
  [ -n "$window" ] && jack_lsp | grep -q "^$client:out_w$"
}

# The knob's area of a window's contents.
knob_shot() {
  import -window "$1" "$scratch/full.png"
  convert "$scratch/full.png" -crop "$knob_area" +repage "$2"
}

differing_pixels() {
  compare -metric AE "$1" "$2" null: 2>&1 || true
}

# The VST 2.4 editor at a normalised azimuth, as sferant-host shows it.
vst_knob_shot() {
  "$host" editor "$module" --set "Azimuth=$1" --seconds 1 --screenshot "$scratch/vst.png" \
    >/dev/null
  convert "$scratch/vst.png" -crop "$knob_area" +repage "$2"
}

vst_knob_shot 0.75 "$scratch/vst-right.png"
vst_knob_shot 0.5 "$scratch/vst-ahead.png"

# 1. A value from the host: -90 degrees (to the right) is the normalised 0.75.
open_jalv -c azimuth=-90
knob_shot "$window" "$scratch/jalv-right.png"
stop_newest
[ "$(differing_pixels "$scratch/jalv-right.png" "$scratch/vst-right.png")" = 0 ] ||
  fail "the knob at -90 degrees differs from the VST editor's in" \
    "$(differing_pixels "$scratch/jalv-right.png" "$scratch/vst-right.png") pixels"
[ "$(differing_pixels "$scratch/jalv-right.png" "$scratch/vst-ahead.png")" != 0 ] ||
  fail "the knob at -90 degrees looks as at 0 degrees"
echo "a value set by jalv moves the knob: the same pixels as the VST editor's at -90 degrees"

# 2. A drag upwards on the knob, as the VST editor's test does: about 0.15 up, -54 degrees.
start "$scratch/metro.log" jack_metro -n metro -b 600 -f 440 -D 50
open_jalv
knob_shot "$window" "$scratch/before.png"
[ "$(differing_pixels "$scratch/before.png" "$scratch/vst-ahead.png")" = 0 ] ||
  fail "the knob does not start at 0 degrees"
wait_until 10 jack_connect metro:600_bpm "$client:in_1" || fail "cannot connect the metronome"
xdotool mousemove --window "$window" 420 92 mousedown 1 sleep 0.2 \
  mousemove --window "$window" 420 82 sleep 0.2 mousemove --window "$window" 420 72 sleep 0.2 \
  mousemove --window "$window" 420 62 sleep 0.2 mouseup 1
sleep 0.5
knob_shot "$window" "$scratch/after.png"
[ "$(differing_pixels "$scratch/after.png" "$scratch/before.png")" != 0 ] ||
  fail "the knob did not move under the drag"
timeout 20 jack_rec -f "$scratch/outputs.wav" -d 1 "$client:out_w" "$client:out_x" \
  "$client:out_y" >/dev/null 2>&1 || fail "jack_rec could not record jalv's outputs"
azimuth=$(python3 - "$scratch/outputs.wav" <<'EOF'
import math, struct, sys, wave
with wave.open(sys.argv[1]) as f:
    width, n = f.getsampwidth(), f.getnframes()
    data = struct.unpack("<%d%s" % (3 * n, {2: "h", 4: "i"}[width]), f.readframes(n))
w, x, y = data[0::3], data[1::3], data[2::3]
wx = sum(a * b for a, b in zip(w, x))
wy = sum(a * b for a, b in zip(w, y))
print("%.2f" % math.degrees(math.atan2(wy, wx)) if wx or wy else "silent")
EOF
)
[ "$azimuth" != silent ] || fail "jalv's outputs are silent"
python3 -c "import sys; sys.exit(not -70 < $azimuth < -40)" ||
  fail "after the drag jalv's plug-in encodes at $azimuth degrees, not about -54"
echo "a drag on the knob wrote the port: jalv's plug-in encodes at $azimuth degrees"
