#!/usr/bin/env bash
# The layers point one way.
#   layers.sh includes SOURCE_DIR   each folder includes only from the folders it may use
#   layers.sh links PROGRAM...      none of the programs links a window system or an image library
set -euo pipefail

check_includes() {
  local root=$1 failed=0
  declare -A may=(
    [host]="host"
    [encoder]="host encoder"
    [gui]="gui host resources"
    [editor]="editor encoder gui host"
    [resources]="resources"
    [tools]="tools host"
  )
  local dir file target
  for dir in "${!may[@]}"; do
    while IFS=: read -r file target; do
      if [[ " ${may[$dir]} " != *" $target "* ]]; then
        echo "$file includes from $target/"
        failed=1
      fi
    done < <(cd "$root" && grep -rEo '^#include "[a-z]+/' "$dir" | sed -E 's/#include "([a-z]+)\//\1/')
  done
  # The toolkit knows the host only through the editor base and the key record.
  while read -r file; do
    case $file in
      gui/AEffGUIEditor.h | gui/AEffGUIEditor.cpp | gui/VirtualKeys.h) ;;
      *) echo "$file includes from host/"; failed=1 ;;
    esac
  done < <(cd "$root" && grep -rlE '^#include "host/' gui)
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
