#!/usr/bin/env bash
# Stages an install (DESTDIR) and checks what a user gets: the program with its settings file
# beside it, the launcher, a desktop entry whose command and icon are installed, AppStream
# metadata launching that entry, the driver files where CUPS looks for them whatever the
# prefix, the manual page, and a program that starts offscreen and keeps running without
# touching its settings.
# Usage: check_install.sh BUILD_DIR PROGRAM_DIR CONFIG_DIR SHIPPED_CONFIG APPSTREAM_ID
#                         DRIVER_FOLDER DRIVER_DIR
set -uo pipefail
build=$1 program_dir=$2 config_dir=$3 shipped=$4 appstream_id=$5 driver_folder=$6 driver_dir=$7
prefix=/usr/local

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$work/root
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if ! DESTDIR=$root cmake --install "$build" --prefix "$prefix" > "$work/install.log" 2>&1; then
  cat "$work/install.log"
  echo "FAIL: cmake --install failed"
  exit 1
fi

program=$root$program_dir/varnok-utility
config=$root$program_dir/config.ini
[ -x "$program" ] || fail "no program at $program_dir"
# A link leaving the staged tree would make the staged program read the system's file.
case "$(readlink "$config")" in
  "") fail "config.ini beside the program is not a link to $config_dir" ;;
  /*) fail "config.ini beside the program links outside the install: $(readlink "$config")" ;;
esac
[ "$(realpath -q "$config")" = "$(realpath -q "$root$config_dir/config.ini")" ] ||
  fail "config.ini beside the program does not lead to $config_dir/config.ini"
config_shipped=false
cmp -s "$config" "$shipped" && config_shipped=true
$config_shipped || fail "config.ini beside the program is not the shipped one"
[ "$(readlink "$root$prefix/bin/varnok-utility")" = "$program_dir/varnok-utility" ] ||
  fail "$prefix/bin/varnok-utility does not link to the program"

desktop=$root$prefix/share/applications/varnok-utility.desktop
exec_name=$(sed -n 's/^Exec=//p' "$desktop" 2> /dev/null)
icon_name=$(sed -n 's/^Icon=//p' "$desktop" 2> /dev/null)
[ -f "$desktop" ] || fail "no desktop entry"
[ -n "$exec_name" ] && [ -L "$root$prefix/bin/$exec_name" ] ||
  fail "desktop entry starts '$exec_name', which is not installed in $prefix/bin"
[ -n "$icon_name" ] && [ -f "$root$prefix/share/icons/hicolor/scalable/apps/$icon_name.svg" ] ||
  fail "desktop entry shows icon '$icon_name', which is not installed"
metainfo=$root$prefix/share/metainfo/$appstream_id.metainfo.xml
grep -q '<launchable type="desktop-id">varnok-utility.desktop</launchable>' "$metainfo" ||
  fail "no AppStream metadata launching the desktop entry at $metainfo"

ls "$driver_folder"/*.ppd > /dev/null 2>&1 || fail "no driver files built in $driver_folder"
diff -r "$driver_folder" "$root$driver_dir" > /dev/null ||
  fail "the driver files in $driver_dir are not the built ones"
[ -f "$root$prefix/share/man/man1/varnok-utility.1.gz" ] || fail "no manual page"

if [ -x "$program" ]; then
  missing=$(ldd "$program" | grep 'not found')
  [ -z "$missing" ] || fail "libraries not found: $missing"
  # The program takes no options: it must still be running when stopped after a few seconds.
  (cd / && QT_QPA_PLATFORM=offscreen timeout 5 "$program") > "$work/run.log" 2>&1
  status=$?
  if [ "$status" -ne 124 ]; then
    cat "$work/run.log"
    fail "installed program ended by itself within 5 s (exit status $status)"
  fi
  $config_shipped && ! cmp -s "$config" "$shipped" && fail "starting the program changed config.ini"
  leftovers=$(find "$root$config_dir" "$root$program_dir" -name '.config.ini.tmp-*')
  [ -z "$leftovers" ] || fail "temporary files left: $leftovers"
fi

[ "$failures" -eq 0 ] && echo "Installed layout and start: all checks passed"
exit "$((failures > 0))"
