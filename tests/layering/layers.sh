#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The layers point one way.
#   layers.sh includes SOURCE_DIR   each file includes only from what its folder may use
#   layers.sh links PROGRAM...      none of the programs links a window system or an image library
# A folder says what its files may include in its CMakeLists.txt, on lines such as
#   # may include: gui resources                    every file of the folder and below
#   # hosting/* may include: tools plugin/hosting   the files that match, relative to it
# An entry is a folder ("plugin/vst2") or one header ("host/aeffect.h"); the first line whose
# patterns match a file is its rule, else the line without patterns. Files under no such
# folder (tests, benchmarks) may include anything.
set -euo pipefail

# The rule lines of a folder's CMakeLists.txt, "PATTERNS|ENTRIES" each.
rules_of() {
  [ -f "$1/CMakeLists.txt" ] || return 0
  sed -nE 's/^# *(.*)may include: *(.*)$/\1|\2/p' "$1/CMakeLists.txt"
}

# The entries of the rule that governs a file (a path relative to the source folder).
may_include() {
  local file=$1 dir patterns entries pattern fallback
  dir=$(dirname "$file")
  while [ "$dir" != . ] && [ -z "$(rules_of "$dir")" ]; do dir=$(dirname "$dir"); done
  [ "$dir" != . ] || return 1
  fallback=
  while IFS='|' read -r patterns entries; do
    [ -n "${patterns// /}" ] || { fallback=$entries; continue; }
    for pattern in $patterns; do
      # shellcheck disable=SC2053 # the pattern is a glob
      if [[ ${file#"$dir"/} == $pattern ]]; then echo "$entries"; return 0; fi
    done
  done < <(rules_of "$dir")
  echo "$fallback"
}

allowed() {
  local target=$1 entry
  for entry in $2; do
    [[ $target == "$entry" || $target == "$entry"/* ]] && return 0
  done
  return 1
}

check_includes() {
  local failed=0 file target top entries
  local -A rule # may_include's answer by file, "-" for none
  cd "$1"
  top=$(find . -mindepth 1 -maxdepth 1 -type d ! -name '.*' ! -name 'build*' -printf '%f\n' | paste -sd'|')
  while IFS=: read -r file target; do
    [ -n "${rule[$file]:-}" ] || rule[$file]=$(may_include "$file" || echo -)
    entries=${rule[$file]}
    [ "$entries" != - ] || continue
    if ! allowed "$target" "$entries"; then
      echo "$file includes $target (may include: $entries)"
      failed=1
    fi
  done < <(find . \( -path './build*' -o -path './.*' \) -prune -o \
    \( -name '*.c' -o -name '*.cpp' -o -name '*.h' \) -print | sed 's|^\./||' |
    xargs grep -HEo "^#include \"($top)/[^\"]+\"" | sed -E 's/:#include "(.*)"$/:\1/')
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
