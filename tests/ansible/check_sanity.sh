#!/usr/bin/env bash
# Runs ansible-test's sanity tests on a copy of the built collection, offline and without
# containers. ansible-test runs most of them in virtual environments where it installs its own
# pinned tools with pip from PyPI; here each such environment is made beforehand from Debian's
# packages (pycodestyle, pylint, yamllint, voluptuous: system site packages), where ansible-test
# looks for it. Skips (exit status 77) without ansible-test, unless CI=true.
# Usage: check_sanity.sh COLLECTION_DIR
set -uo pipefail
collection=$1

if ! command -v ansible-test > /dev/null; then
  [ "${CI:-}" = true ] && { echo "FAIL: ansible-test is missing (Debian's ansible-core)"; exit 1; }
  echo "SKIP: ansible-test is missing (Debian's ansible-core)"
  exit 77
fi
tests=(
  action-plugin-docs ansible-doc compile empty-init future-import-boilerplate import
  line-endings metaclass-boilerplate no-assert no-get-exception no-illegal-filenames
  no-smart-quotes pep8 pylint runtime-metadata shebang symlinks use-argspec-type-path
  validate-modules yamllint
)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/ansible_collections/varnok"
cp -r "$collection" "$work/ansible_collections/varnok/printer"
cd "$work/ansible_collections/varnok/printer" || exit 1
# ansible-test keeps its environments in the home folder; Debian's python3.11 is the one
# whose packages they see.
export HOME=$work/home PATH=/usr/bin:/bin

failed=()
for test in "${tests[@]}"; do
  # Each environment the test asks for fails once for want of pip, named in the message.
  while ! ansible-test sanity --python 3.11 --test "$test" > "$work/out" 2>&1; do
    venv=$(sed -n 's|^FATAL: Python 3.11 at "\(.*\)/bin/python" does not have pip available.$|\1|p' "$work/out")
    if [ -z "$venv" ] || [ -e "$venv/marker.txt" ]; then
      cat "$work/out"
      failed+=("$test")
      break
    fi
    rm -rf "$venv"
    python3.11 -m venv --system-site-packages --without-pip "$venv"
    echo '[]' > "$venv/meta.install.json"
    python3.11 -c 'import yaml; print("true" if yaml.__with_libyaml__ else "false")' > "$venv/meta.yaml.json"
    touch "$venv/marker.txt"
  done
  grep -h -e '^Running sanity test' -e '^WARNING: Skipping' "$work/out"
done

echo "ansible-test sanity --python 3.11, tests run: ${tests[*]}"
[ "${#failed[@]}" -eq 0 ] || { echo "FAIL: ${failed[*]}"; exit 1; }
echo "All passed"
