#!/usr/bin/env bash
# Runs ansible-lint (production profile, offline) on a copy of a playbook, with the built
# collection on Ansible's collections path. Skips (exit status 77) without ansible-lint, unless
# CI=true.
# Usage: check_lint.sh COLLECTIONS_DIR PLAYBOOK
set -uo pipefail
collections=$1 playbook=$2

if ! command -v ansible-lint > /dev/null; then
  [ "${CI:-}" = true ] && { echo "FAIL: ansible-lint is missing (Debian's ansible-lint)"; exit 1; }
  echo "SKIP: ansible-lint is missing (Debian's ansible-lint)"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$playbook" "$work/"
cd "$work" || exit 1
# Its caches go to the home folder.
HOME=$work ANSIBLE_COLLECTIONS_PATH=$collections ansible-lint --offline --nocolor \
  --profile production "$(basename "$playbook")"
