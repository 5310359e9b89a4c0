# shellcheck shell=bash
# Shared by check-utility and check-installer: a private X display and a private CUPS scheduler
# with the virtual label printers, behind a wine prefix of its own; all of it ends with the
# script. Needs wine, Xvfb and a Linux build's varnok-virtual-printers.
source "$(dirname "${BASH_SOURCE[0]}")/../lib/common.sh"
fail() { printf '%s: FAILED: %s\n' "$(basename "$0")" "$*" >&2; exit 1; }

# start_wine_session LINUX_BUILD: sets WORK (a temporary folder), DISPLAY, WINEPREFIX,
# CUPS_SERVER and CAPTURE (the folder of the printers' jobs, CAPTURE/QUEUE/job-0001, ...).
start_wine_session() {
  WORK="$(mktemp -d -t varnok-check.XXXXXX)"
  session_pids=()
  trap stop_wine_session EXIT
  # A display of our own; no window manager, so windows have no frames and take focus when told.
  local display=$((100 + RANDOM % 800))
  Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
  session_pids+=($!)
  export DISPLAY=":$display" WINEPREFIX="$WORK/prefix" WINEDEBUG=-all LC_ALL=C.UTF-8

  start_virtual_printers "$1/bin"
  session_pids+=("$PRINTERS_PID")
}

stop_wine_session() {
  wineserver -k 2>/dev/null || true
  local pid
  for pid in "${session_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$WORK" "$PRINTERS_OUTPUT"
}

# give_driver_names VARNOK_PRINTER_EXE: sets up the prefix, then gives each virtual printer the
# maker's driver name. Wine takes the queues into its registry only when a program first asks.
give_driver_names() {
  say "Setting up wine"
  local start=$SECONDS queue driver
  "$(dirname "${BASH_SOURCE[0]}")/wine-run" "$1" list --names >/dev/null
  while IFS=$'\t' read -r queue driver; do
    queue=${queue#queue }
    driver=${driver#driver \"}
    driver=${driver%\"}
    wine reg add "HKLM\\System\\CurrentControlSet\\Control\\Print\\Printers\\$queue" \
      /v "Printer Driver" /d "$driver" /f >/dev/null 2>&1
  done < <(grep '^queue ' "$PRINTERS_OUTPUT")
  say "wine ready in $((SECONDS - start)) s"
}
