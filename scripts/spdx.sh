#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Puts the licence identifier on the first line of every tracked source file that lacks it, in
# the file's own comment syntax (after the shebang line of a script).
# With --check it changes nothing: it lists the files that lack it and fails if there are any.
set -euo pipefail
cd "$(dirname "$0")/.."
tag="SPDX-License-Identifier: GPL-3.0-or-later"

# The identifier as a comment of the file's language; nothing for files that are not source.
comment_for() {
  case "$1" in
    *.c | *.cpp | *.h | *.hpp | *.m | *.mm | *.rc) echo "// $tag" ;;
    CMakeLists.txt | */CMakeLists.txt | *.cmake | *.sh | *.py | *.supp) echo "# $tag" ;;
    *.map) echo "/* $tag */" ;;
    *.def) echo "; $tag" ;;
    *) if has_shebang "$1"; then echo "# $tag"; fi ;;
  esac
}

has_shebang() {
  head -c 2 "$1" | grep -qx '#!'
}

has_tag() {
  head -n 3 "$1" | grep -q "SPDX-License-Identifier:"
}

add_tag() {
  local file=$1 comment=$2 text
  text=$(mktemp)
  if has_shebang "$file"; then
    { head -n 1 "$file"; echo "$comment"; tail -n +2 "$file"; } >"$text"
  else
    { echo "$comment"; cat "$file"; } >"$text"
  fi
  cat "$text" >"$file" # keeps the file's mode
  rm -f "$text"
}

main() {
  local check=false missing=0 file comment
  [ "${1:-}" = "--check" ] && check=true
  while IFS= read -r -d '' file; do
    [ -f "$file" ] || continue
    comment=$(comment_for "$file")
    [ -n "$comment" ] || continue
    has_tag "$file" && continue
    missing=$((missing + 1))
    if $check; then
      echo "no licence identifier: $file"
    else
      add_tag "$file" "$comment"
    fi
  done < <(git ls-files -z)

  if $check && [ "$missing" -gt 0 ]; then
    echo "$missing files lack the licence identifier (scripts/spdx.sh adds it)"
    exit 1
  fi
  $check || echo "licence identifier added to $missing files"
}

# One line, read whole before main runs: the script may add the identifier to itself.
main "$@"; exit
