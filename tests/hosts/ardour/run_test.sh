#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A plug-in in Ardour 7, headless (ardour7-lua, Dummy backend): a track plays the stereo test
# signal through the plug-in, its outputs go unpanned to a master bus as wide, and the session's
# export must equal a reference render bit for bit; then a second Ardour process loads the
# saved session, and its export must equal the reference too (the plug-in's state came back).
# Usage: run_test.sh SCRATCH PLUGIN OUTPUTS [--sounding LIST] [INDEX=VALUE ...] -- REFERENCE...
#   PLUGIN             lv2:URI (found through LV2_PATH), vst:MODULE.so or vst3:NAME (a class of
#                      a bundle in the folders of VST3_PATH)
#   --sounding LIST    the export's channels that must carry signal, e.g. 0,1: no other may
#   INDEX=VALUE        a parameter (Ardour's index of the plug-in's control inputs) and its
#                      value: in the LV2 ports' units, or normalised for VST 2.4 and VST3
#   REFERENCE_COMMAND  renders {in} (the test signal, a stereo float WAV) into {out}
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../host_env.sh"
scratch=$1 plugin=$2 outputs=$3
shift 3
sounding=
if [ "${1:-}" = --sounding ]; then
  sounding=$2
  shift 2
fi
settings=()
while [ $# -gt 0 ] && [ "$1" != -- ]; do
  settings+=("$1")
  shift
done
[ "${1:-}" = -- ] || fail "no reference command after --"
shift
frames=24000

rm -rf "$scratch"
mkdir -p "$scratch/config/ardour7/export" "$scratch/config/ardour7/scripts"
scratch=$(cd "$scratch" && pwd)
# Ardour's configuration and caches of this test alone.
export XDG_CONFIG_HOME=$scratch/config XDG_CACHE_HOME=$scratch/cache
cp "$here/test_signal.lua" "$XDG_CONFIG_HOME/ardour7/scripts/"
# BWAV 32-bit float, Ardour's own format: no dither, no normalisation.
cat >"$XDG_CONFIG_HOME/ardour7/export/sferant-float.preset" <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<ExportPreset id="5f1e4c8a-7d3b-4e2a-9c61-0b8d2f7a9e11" name="Float WAV">
  <ExportFormat id="20b4ab09-6452-4cb3-bd66-b921cdbd2942"/>
  <ExportFilename>
    <Folder relative="0" path="."/>
    <Field name="label" enabled="1"/>
  </ExportFilename>
</ExportPreset>
EOF

kind=${plugin%%:*} id=${plugin#*:}
case $kind in
  lv2) ;;
  vst)
    id=$(realpath "$id")
    export LXVST_PATH=$(dirname "$id")
    # Ardour reads VST 2.4 modules from its scanner's cache only.
    LD_LIBRARY_PATH=/usr/lib/ardour7 /usr/lib/ardour7/ardour-vst-scanner -q -f "$id" ||
      fail "Ardour's scanner rejected $id"
    ;;
  vst3)
    # Ardour reads VST3 bundles from its scanner's cache only too.
    for bundle in $(find ${VST3_PATH//:/ } -maxdepth 1 -name '*.vst3'); do
      LD_LIBRARY_PATH=/usr/lib/ardour7 /usr/lib/ardour7/ardour-vst3-scanner -q -f "$bundle" ||
        fail "Ardour's scanner rejected $bundle"
    done
    # The scanner stamps its cache in whole seconds: a module built in the same second would
    # look newer than its cache, and Ardour would not list it.
    find "$XDG_CACHE_HOME" -name '*.v3i' -exec touch -d "@$(($(date +%s) + 1))" {} +
    ;;
  *) fail "PLUGIN must be lv2:URI, vst:MODULE.so or vst3:NAME, not $plugin" ;;
esac

python3 "$here/../sound.py" signal "$scratch/signal.wav" "$frames"
reference=()
for word in "$@"; do
  word=${word//\{in\}/$scratch/signal.wav}
  reference+=("${word//\{out\}/$scratch/reference.wav}")
done
"${reference[@]}" >"$scratch/reference.log" 2>&1 || fail "the reference: $(cat "$scratch/reference.log")"

# The export of a run, if it holds more than a header; else nothing.
export_of() {
  local file
  file=$(find "$scratch/$1" -name '*.wav' | head -n1)
  if [ -n "$file" ] && [ "$(stat -c %s "$file")" -gt 4096 ]; then echo "$file"; fi
}

# Whether a run is final: it printed its parameters and exported audio, and it either ended
# cleanly or crashed only after its export was complete (Ardour 7.3 may crash while it closes a
# session, now and then before the export file is finished).
finished() {
  local phase=$1 status=$2 exported
  grep -q '^parameter ' "$scratch/$phase.log" || return 1
  exported=$(export_of "$phase")
  [ -n "$exported" ] || return 1
  [ "$status" = 0 ] || python3 "$here/../sound.py" compare "$scratch/reference.wav" "$exported" \
    >/dev/null 2>&1
}

# One Ardour run, tried up to three times until it is final (a run also fails before it prints
# a parameter when the engine did not start).
ardour() {
  local phase=$1 log=$scratch/$1.log attempt status
  shift
  for attempt in 1 2 3; do
    rm -rf "$scratch/$phase" "$scratch/session/$phase"
    [ "$phase" = restore ] || rm -rf "$scratch/session"
    mkdir -p "$scratch/$phase"
    status=0
    timeout 180 ardour7-lua "$here/plugin_session.lua" "$phase" "$scratch/$phase" "$@" \
      >"$log" 2>&1 || status=$?
    if finished "$phase" "$status"; then break; fi
  done
  if grep -E '^(FAILED|Error)' "$log"; then fail "Ardour's $phase run: $(tail -n 20 "$log")"; fi
  grep '^parameter ' "$log" >"$scratch/$phase.parameters" || fail "Ardour's $phase run: $(cat "$log")"
  exported=$(export_of "$phase")
  [ -n "$exported" ] || fail "Ardour's $phase run exported no audio: $(tail -n 20 "$log")"
}

ardour create "$scratch/session" "$kind" "$id" "$outputs" "$frames" "${settings[@]}"
python3 "$here/../sound.py" compare "$scratch/reference.wav" "$exported" ||
  fail "the export differs from the reference"
if [ -n "$sounding" ]; then
  python3 "$here/../sound.py" sounding "$exported" "$sounding" || fail "the export's channels"
fi
ardour restore "$scratch/session" "$frames"
cmp -s "$scratch/create.parameters" "$scratch/restore.parameters" ||
  fail "the reloaded session's parameters differ: $(diff "$scratch/create.parameters" \
    "$scratch/restore.parameters")"
echo "restored: $(paste -sd' ' "$scratch/restore.parameters")"
python3 "$here/../sound.py" compare "$scratch/reference.wav" "$exported" ||
  fail "the reloaded session's export differs from the reference"
