#!/usr/bin/env bash
# Runs the playbooks of this folder with ansible-playbook and the built collection against two
# private schedulers of virtual label printers, each its own inventory host (connection local)
# with its own CUPS_SERVER and journal: the first run changes both, the second changes nothing,
# check mode sends no job and shows the diff, bad input and faults send nothing and fail with
# their messages, and one queue failing among three leaves the other two sent to.
# Skips (exit status 77) without ansible-playbook, unless CI=true.
# Usage: check_playbooks.sh BIN_DIR COLLECTIONS_DIR DRIVER_FOLDER
set -uo pipefail
bin=$1 collections=$2 drivers=$3
here=$(cd "$(dirname "$0")" && pwd)

if ! command -v ansible-playbook > /dev/null; then
  [ "${CI:-}" = true ] && { echo "FAIL: ansible-playbook is missing (Debian's ansible-core)"; exit 1; }
  echo "SKIP: ansible-playbook is missing (Debian's ansible-core)"
  exit 77
fi
# shellcheck source=scripts/lib/common.sh
source "$here/../../scripts/lib/common.sh"
set +e

work=$(mktemp -d)
printer_pids=()
stop() {
  for pid in "${printer_pids[@]}"; do kill "$pid" && wait "$pid"; done
  rm -rf "$work"
}
trap stop EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Each host's scheduler, and the device URI of each of its queues.
declare -A server journal
for host in north south; do
  start_virtual_printers "$bin" "$drivers"
  printer_pids+=("$PRINTERS_PID")
  server[$host]=$CUPS_SERVER
  journal[$host]=$(sed -n 's/^journal of varnok: queues: //p' "$PRINTERS_OUTPUT")
done
unset CUPS_SERVER
device() { lpstat -h "${server[$1]}" -v "$2" | sed -n 's/^device for [^:]*: //p'; }
printers() {
  local host=$1 queue model
  shift
  for queue in "$@"; do
    case $queue in
      VARNOK_K540_200DPI) model="VARNOK K540 200DPI" ;;
      Varnok-Office) model="VARNOK M-4410" ;;
      VARNOKX) model="VARNOK N5 PLUS" ;;
    esac
    printf '          - {name: %s, model: "%s", device_uri: "%s"}\n' "$queue" "$model" \
      "$(device "$host" "$queue")"
  done
}
cat > "$work/inventory.yml" << INVENTORY
all:
  vars:
    ansible_connection: local
    ansible_python_interpreter: /usr/bin/python3
    varnok_printer: $bin/varnok-printer
    silent_server: $work/nobody/cups.sock
  children:
    print_servers:
      hosts:
        north:
          cups_server: ${server[north]}
          journal: ${journal[north]}
          label_printers:
$(printers north VARNOK_K540_200DPI Varnok-Office VARNOKX)
        south:
          cups_server: ${server[south]}
          journal: ${journal[south]}
          label_printers:
$(printers south VARNOK_K540_200DPI Varnok-Office)
INVENTORY

# Python would leave __pycache__ in the built collection, which the package ships.
export PYTHONDONTWRITEBYTECODE=1 ANSIBLE_COLLECTIONS_PATH=$collections ANSIBLE_NOCOLOR=1 ANSIBLE_LOCAL_TEMP=$work/local \
  ANSIBLE_REMOTE_TEMP=$work/remote ANSIBLE_RETRY_FILES_ENABLED=0
# play NAME PLAYBOOK [OPTION...]: runs it, its output in $work/NAME.out; the status it ended with.
play() {
  local name=$1 playbook=$2
  shift 2
  ansible-playbook -i "$work/inventory.yml" "$here/$playbook" "$@" > "$work/$name.out" 2>&1
  local status=$?
  echo "=== $name: ansible-playbook $playbook $* (exit status $status)"
  return "$status"
}
show() { cat "$work/$1.out"; }
recap() { sed -n "/^PLAY RECAP/,\$s/^$2 *: *//p" "$work/$1.out" | tr -s ' '; }
# Every job either scheduler has had, finished or not.
jobs() { for host in north south; do lpstat -h "${server[$host]}" -W all -o; done | wc -l; }

play first fleet.yml || fail "the first run failed: $(show first)"
for host in north south; do
  echo "first run, $host: $(recap first $host)"
  [[ $(recap first $host) =~ changed=[1-9].*failed=0 ]] || fail "the first run changed nothing on $host"
done
[ "$(jobs)" -gt 0 ] || fail "the first run sent no job"
# The second run reads what the first one's jobs delivered: they reach their printers within
# seconds (a minute on a busy machine), and a job still waiting would not be sent again.
unfinished() { for host in north south; do lpstat -h "${server[$host]}" -o; done; }
for ((waited = 0; waited < 600; waited++)); do
  [ -z "$(unfinished)" ] && break
  sleep 0.1
done
play second fleet.yml || fail "the second run failed: $(show second)"
for host in north south; do
  echo "second run, $host: $(recap second $host)"
  [[ $(recap second $host) =~ changed=0\ .*failed=0 ]] || fail "the second run changed $host: $(show second)"
done

before=$(jobs)
play check fleet.yml --check --diff -e cut_position=7 || fail "check mode failed: $(show check)"
sed -n '/^--- /,/^\(changed\|ok\):/p' "$work/check.out"
[ "$(jobs)" = "$before" ] || fail "check mode sent $(($(jobs) - before)) jobs"
if ! grep -q '^-cut-position = 5$' "$work/check.out" || ! grep -q '^+cut-position = 7$' "$work/check.out"; then
  fail "check mode's diff does not show cut-position from 5 to 7: $(show check)"
fi

before=$(jobs)
play faults faults.yml || fail "a fault was not reported as expected: $(show faults)"
sed -n 's/^ok: \[north\] => (item=\(.*\)) => {$/  \1/p' "$work/faults.out"
[ "$(jobs)" = "$before" ] || fail "bad input or a fault sent $(($(jobs) - before)) jobs"

play partial partial.yml || fail "one queue failing among three: $(show partial)"
sed -n '/^TASK \[Its message\]/,$s/^ *"msg": /  /p' "$work/partial.out"

[ "$failures" -eq 0 ] && echo "The playbooks ran as expected on two print servers"
exit "$((failures > 0))"
