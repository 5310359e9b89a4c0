#!/usr/bin/env bash
# Runs lintian on the built Debian packages, informational and pedantic tags included. It must
# report exactly the tags that the administrators' page lists under "## What lintian says" (as
# "- `tag` …", with the reason each stays): a new tag fails, and so does a listed one that has
# gone. A tag listed as "- `tag` (`package` only)" is expected only when that package was built.
# Usage: check_lintian.sh PACKAGES_DIR PAGE (docs/administrators.md)
set -uo pipefail
packages=$1 page=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

sed -n '/^## What lintian says/,/^## /s/^- `\([a-z0-9-]*\)`\( (`\([a-z0-9.+-]*\)` only)\)\?.*/\1 \3/p' "$page" |
  while read -r tag package; do
    [ -z "$package" ] || compgen -G "$packages/${package}_*.deb" > /dev/null && echo "$tag"
  done | sort -u > "$work/listed"
[ -s "$work/listed" ] || { echo "FAIL: $page lists no lintian tag under \"## What lintian says\""; exit 1; }
lintian --fail-on none --display-info --pedantic "$packages"/*.deb > "$work/lintian.out" 2>&1
status=$?
cat "$work/lintian.out"
[ "$status" -eq 0 ] || { echo "FAIL: lintian did not run (exit status $status)"; exit 1; }
sed -n 's/^[EWIPX]: [a-z0-9.+-]*[^:]*: \([a-z0-9-]*\).*/\1/p' "$work/lintian.out" |
  sort -u > "$work/reported"

failures=0
new=$(comm -13 "$work/listed" "$work/reported")
gone=$(comm -23 "$work/listed" "$work/reported")
[ -z "$new" ] || { echo "FAIL: lintian tags the page does not list:" $new; failures=1; }
[ -z "$gone" ] || { echo "FAIL: listed lintian tags no longer reported:" $gone; failures=1; }
[ "$failures" -eq 0 ] && echo "lintian reports only the listed tags:" $(cat "$work/listed")
exit "$failures"
