#!/usr/bin/env bash
# Checks the stack of src/: every #include "folder/…" reaches a layer below the including file's
# own, or its own folder. A file that includes Qt is a window (its layer is above the window
# helpers), wherever it lives; the others are in their folder's layer. Folders on one layer do
# not include each other, so no circle can form.
# Usage: check_layers.sh SOURCE_DIR
set -uo pipefail
src="$1/src"
declare -A layer=(
  [foundation]=1 [spooler]=2
  [printer_settings]=3 [send_file]=3 [about]=3 [fleet]=4
  [gui]=5 [printer_settings/window]=6
  [app]=7 [cli]=7 [backend]=7
)
window_layer=6
failures=0

# The folder a path under src/ belongs to: the longest one the table knows.
folder_of() {
  local dir=${1%/*}
  while [ -n "$dir" ] && [ -z "${layer[$dir]+set}" ]; do
    [ "$dir" = "${dir%/*}" ] && dir="" || dir=${dir%/*}
  done
  echo "$dir"
}

while IFS= read -r -d '' path; do
  file=${path#"$src"/}
  from=$(folder_of "$file")
  if [ -z "$from" ]; then
    echo "FAIL: $file is in a folder the stack does not name"
    failures=1
    continue
  fi
  from_layer=${layer[$from]}
  if [ "$from_layer" -lt "$window_layer" ] && grep -q '^#include <Q' "$path"; then
    from_layer=$window_layer
  fi
  while IFS= read -r included; do
    to=$(folder_of "$included")
    if [ -z "$to" ]; then
      echo "FAIL: $file includes $included, from a folder the stack does not name"
      failures=1
      continue
    fi
    [ "$to" = "$from" ] && continue
    # A window beside its core includes that core.
    [ "$from_layer" -eq "$window_layer" ] && [ "${from#"$to"}" != "$from" ] && continue
    if [ "${layer[$to]}" -ge "$from_layer" ]; then
      echo "FAIL: $file (layer $from_layer) includes $included (layer ${layer[$to]})"
      failures=1
    fi
  done < <(sed -n 's/^#include "\([a-z_]*\/[^"]*\)".*/\1/p' "$path")
done < <(find "$src" -name '*.h' -print0 -o -name '*.cpp' -print0)

[ "$failures" -eq 0 ] && echo "The stack holds: no include reaches up or across."
exit "$failures"
