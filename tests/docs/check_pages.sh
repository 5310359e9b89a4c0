#!/usr/bin/env bash
# Checks the front page and the pages behind it: the front page stays short and shows
# scripts/run and scripts/test on its first screen; every link between the pages, to a file or
# to a heading, leads somewhere; every `varnok-printer COMMAND` they show is a command the
# program has; and no page repeats a JSON field list, which lives in the commands' --help.
# Usage: check_pages.sh SOURCE_DIR VARNOK_PRINTER
set -uo pipefail
source_dir=$1 program=$2
pages=("$source_dir/README.md" "$source_dir"/docs/*.md)
failures=0
fail() { echo "FAIL: $*"; failures=1; }

lines=$(wc -l < "$source_dir/README.md")
[ "$lines" -le 120 ] || fail "README.md has $lines lines: the front page is to stay at about 120"
for command in scripts/run scripts/test; do
  head -n 30 "$source_dir/README.md" | grep -q "^$command " ||
    fail "README.md does not show $command in its first 30 lines"
done

# A heading's anchor as GitHub makes it: lower case, punctuation dropped, blanks as hyphens.
anchors() {
  sed -n '/^```/,/^```/d; s/^#\{1,6\} //p' "$1" |
    tr '[:upper:]' '[:lower:]' | sed 's/[^a-z0-9 _-]//g; s/ /-/g'
}
for page in "${pages[@]}"; do
  dir=$(dirname "$page")
  # Links in the text, not in code: ](target) with target relative to the page.
  for target in $(sed '/^```/,/^```/d' "$page" | grep -o '](\([^)]*\))' | sed 's/^](//; s/)$//'); do
    case "$target" in http://* | https://* | mailto:*) continue ;; esac
    file=${target%%#*} anchor=
    [ "$file" = "$target" ] || anchor=${target#*#}
    [ -n "$file" ] && path="$dir/$file" || path=$page
    [ -e "$path" ] || { fail "${page#"$source_dir"/} links to $target: no such file"; continue; }
    [ -z "$anchor" ] || anchors "$path" | grep -qx -- "$anchor" ||
      fail "${page#"$source_dir"/} links to $target: no such heading"
  done
done

# The commands the program lists under "Subcommands:" in its --help.
commands=$("$program" --help | sed -n '/^Subcommands:/,/^$/s/^  \([a-z]\+\).*/\1/p')
[ -n "$commands" ] || fail "varnok-printer --help lists no command"
for page in "${pages[@]}"; do
  # A build line's --target names targets, not commands.
  for command in $(grep -v -- '--target' "$page" |
    grep -o 'varnok-printer \(-h [^ ]* \)\?[a-z][a-z-]*' | awk '{print $NF}' | sort -u); do
    grep -qx -- "$command" <<<"$commands" ||
      fail "${page#"$source_dir"/} shows 'varnok-printer $command', which is no command"
  done
  ! grep -n '{"[a-z_]*", "' "$page" ||
    fail "${page#"$source_dir"/} repeats a JSON field list: link to the command's --help instead"
done

[ "$failures" -eq 0 ] && echo "the pages are short, linked and name only real commands"
exit "$failures"
