#!/usr/bin/env bash
# Judges every built driver file with cupstestppd, as CUPS's tools do: none may FAIL. Warnings
# are shown.
# Usage: check_driver_files.sh DRIVER_FOLDER
set -uo pipefail
folder=$1
count=0 failures=0
for file in "$folder"/*.ppd; do
  [ -f "$file" ] || break
  count=$((count + 1))
  if ! result=$(cupstestppd "$file" 2>&1); then
    echo "$result"
    failures=$((failures + 1))
  elif grep -q WARN <<< "$result"; then
    echo "$result"
  fi
done
[ "$count" -gt 0 ] || { echo "FAIL: no driver files in $folder"; exit 1; }
[ "$failures" -eq 0 ] || { echo "FAIL: $failures of $count driver files fail cupstestppd"; exit 1; }
echo "$count driver files pass cupstestppd"
