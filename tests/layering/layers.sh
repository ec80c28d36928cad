#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The layers point one way.
#   layers.sh includes SOURCE_DIR   each folder includes only from the folders it may use
#   layers.sh links PROGRAM...      none of the programs links a window system or an image library
set -euo pipefail

# What a file may include from, by the most specific folder it lies in.
may_include() {
  case $1 in
    host/*) echo "host" ;;
    core/*) echo "core" ;; # no plug-in format, window system or editor
    plugin/vst2/*) echo "plugin/vst2 core host editor gui" ;; # the module gives the effect its editor and its host
    plugin/lv2/*) echo "plugin/lv2 core editor gui" ;; # the UI binary shows the editor's frame
    plugin/clap/*) echo "plugin/clap core editor gui" ;;
    plugin/vst3/*) echo "plugin/vst3 core editor gui" ;;
    gui/AEffGUIEditor.* | gui/VirtualKeys.h) echo "gui host" ;; # the editor base; the key record
    gui/*) echo "gui resources" ;;
    editor/*) echo "editor core gui host" ;;
    tools/artwork/*) echo "editor core" ;; # the artwork program paints the control table, with the choice names
    resources/*) echo "resources" ;;
    tools/*) echo "tools host core" ;; # the record; the parameter table
  esac
}

check_includes() {
  local failed=0 file target
  while IFS=: read -r file target; do
    if [[ " $(may_include "$file") " != *" $target "* ]]; then
      echo "$file includes from $target/"
      failed=1
    fi
  done < <(cd "$1" && grep -rEo '^#include "(plugin/)?[a-z0-9]+/' host core plugin gui editor resources tools |
    sed -E 's/#include "((plugin\/)?[a-z0-9]+)\//\1/')
  return $failed
}

check_links() {
  local failed=0 program
  for program in "$@"; do
    if readelf -d "$program" | grep -E 'NEEDED.*(libX11|libxcb|libcairo|libfontconfig|libpng)'; then
      echo "$program links a window system or an image library"
      failed=1
    fi
  done
  return $failed
}

case ${1:-} in
  includes) check_includes "$2" ;;
  links) shift; check_links "$@" ;;
  *) echo "usage: $0 includes SOURCE_DIR | links PROGRAM..." >&2; exit 2 ;;
esac
