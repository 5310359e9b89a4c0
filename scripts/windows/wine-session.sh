# shellcheck shell=bash
# Shared by check-utility, check-installer and check-msi: a private X display and a private CUPS
# scheduler with the virtual label printers, behind a wine prefix of its own; all of it ends with
# the script. Needs wine, Xvfb, xdotool and a Linux build's varnok-virtual-printers. Then what both
# installer checks judge of an installed program.
source "$(dirname "${BASH_SOURCE[0]}")/../lib/common.sh"
fail() { printf '%s: FAILED: %s\n' "$(basename "$0")" "$*" >&2; exit 1; }

# start_wine_session LINUX_BUILD: sets WORK (a temporary folder), DISPLAY, WINEPREFIX,
# CUPS_SERVER and CAPTURE (the folder of the printers' jobs, CAPTURE/QUEUE/job-0001, ...).
start_wine_session() {
  WORK="$(mktemp -d -t varnok-check.XXXXXX)"
  session_pids=()
  export WINEPREFIX="$WORK/prefix" WINEDEBUG=-all LC_ALL=C.UTF-8
  trap stop_wine_session EXIT
  # A display of our own; no window manager, so windows have no frames and take focus when told.
  # Xvfb picks a free display number and writes it once it takes clients.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
  session_pids+=($!)
  wait_until 30 grep -q '^[0-9]' "$WORK/display" || fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
  DISPLAY=":$(cat "$WORK/display")"
  export DISPLAY

  start_virtual_printers "$1/bin"
  session_pids+=("$PRINTERS_PID")
}

stop_wine_session() {
  wineserver -k 2>/dev/null || true
  local pid
  for pid in "${session_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$WORK" "${PRINTERS_OUTPUT:-}"
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

# wait_until SECONDS COMMAND...: true as soon as COMMAND is, false if it is not within SECONDS.
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.2
  done
}

# Where both installers put the program, and their Start-menu folder: the machine's (wine's
# msiexec puts it in the user's, though the MSI installs per machine).
install_dir() { echo "$WINEPREFIX/drive_c/Program Files/VARNOK Printer Utility"; }
menu_folders() {
  local programs="Microsoft/Windows/Start Menu/Programs/VARNOK Printer Utility"
  printf '%s\n' "$WINEPREFIX/drive_c/ProgramData/$programs" \
    "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/"$programs"
}
menu_entry() {
  local folder
  while read -r folder; do
    [ -f "$folder/VARNOK Printer Utility.lnk" ] && echo "$folder/VARNOK Printer Utility.lnk" && return
  done < <(menu_folders)
  fail "no Start-menu entry in $(menu_folders | paste -sd' ' -)"
}

# check_installed_files VERSION: the programs, the licences that licenses\README.txt names and
# the Start-menu entry are installed, and varnok-printer.exe says it is VERSION.
check_installed_files() {
  local dir licence version entry
  dir="$(install_dir)"
  [ -f "$dir/varnok-utility.exe" ] || fail "varnok-utility.exe is not installed in $dir"
  [ -f "$dir/licenses/README.txt" ] || fail "licenses\\README.txt is not installed"
  # After its heading, each line names a file and the licence files it is under.
  for licence in $(tr -d '\r' <"$dir/licenses/README.txt" | awk 'NR > 2 { $1 = ""; print }'); do
    [ -f "$dir/licenses/$licence" ] || fail "licenses\\$licence (named in README.txt) is not installed"
  done
  entry="$(menu_entry)"
  version=$(wine "$dir/varnok-printer.exe" --version | tr -d "\r") || fail "the installed varnok-printer.exe --version failed"
  [[ "$version" == *" $1" ]] || fail "the installed varnok-printer.exe --version says \"$version\", not $1"
  say "installed: $(du -sh "$dir" | cut -f1), the licences, ${entry#"$WINEPREFIX/"}; $version"
}

# check_installed_programs: the installed varnok-printer.exe lists the virtual printers with the
# maker's driver names, and the installed varnok-utility.exe shows its window.
check_installed_programs() {
  local dir window program
  dir="$(install_dir)"
  give_driver_names "$dir/varnok-printer.exe"
  wine "$dir/varnok-printer.exe" list >"$WORK/list.txt" || fail "the installed varnok-printer.exe list failed"
  grep -q '^VARNOK_K540_200DPI .*VARNOK K540 200DPI' "$WORK/list.txt" ||
    fail "the installed varnok-printer.exe list lacks VARNOK_K540_200DPI: $(cat "$WORK/list.txt")"
  say "the installed varnok-printer.exe lists the virtual printers with their driver names"
  wine "$dir/varnok-utility.exe" >"$WORK/utility.log" 2>&1 &
  program=$!
  window=$(timeout 60 xdotool search --sync --name '^VARNOK Printer Utility') ||
    fail "the installed varnok-utility.exe showed no window within 60 s"
  say "the installed varnok-utility.exe's window is up: $(xdotool getwindowname "$window")"
  # Ends it, and every other program of the prefix.
  wineserver -k 2>/dev/null || true
  wait "$program" 2>/dev/null || true
}

# An operator's change to the installed settings, which installs and removals must keep.
change_config() { echo "; changed by the operator" >>"$(install_dir)/config.ini"; }
config_changed() { grep -q '^; changed by the operator' "$(install_dir)/config.ini"; }

# expect_only_config_left REMOVAL: after REMOVAL the program folder holds only config.ini, with
# the operator's change, and the Start-menu folder is gone.
expect_only_config_left() {
  local dir
  dir="$(install_dir)"
  [ -d "$dir" ] || fail "$1 removed the program folder, the operator's config.ini with it"
  [ "$(find "$dir" -mindepth 1 -printf '%P\n')" = config.ini ] ||
    fail "$1 left in the program folder: $(find "$dir" -mindepth 1 -printf '%P ')"
  config_changed || fail "$1 replaced the operator's config.ini"
  local folder
  while read -r folder; do
    [ ! -e "$folder" ] || fail "$1 left the Start-menu folder $folder: $(ls -A "$folder")"
  done < <(menu_folders)
  say "$1 left only config.ini, with the operator's change, and no Start-menu entry"
}
