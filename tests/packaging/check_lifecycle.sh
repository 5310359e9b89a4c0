#!/usr/bin/env bash
# The packages' life on a machine as an operator lives it, on a throw-away copy of this
# machine's system (an overlay over / in a private mount namespace, entered with chroot), so the
# machine itself is left exactly as it was; no service starts in it, and it has no network:
#  - a fresh install without CUPS, so without the printer group; Debian's cups-daemon (the real
#    package, which makes the group) comes in a later run; the operator changes a model's
#    correction as root and the language as a group member; the journaling backend records a
#    job, which group members may read; reinstall; upgrade to a build with a
#    higher version that ships one more model section; remove; purge;
#  - cups-daemon unpacked before varnok-printer and configured after it, in the same run, as apt
#    may order them; purge;
#  - an upgrade from 2.20-2 (a stand-in with that version's conffile and maintainer scripts,
#    shipping one model section less) whose language a group member had switched; purge;
#  - an upgrade from 2.20-1 (a stand-in with that version's layout and maintainer scripts)
#    whose settings the operator had changed; purge;
#  - the same upgrade after a group member swapped the old settings file for a link to a file
#    only root may read; purge.
# No package operation has anyone to answer a question, so a question fails its step. After each
# step it checks what config.ini holds, its owner and mode, the journal's folder, and what is left
# on disk; after each
# purge, that everything is as before the install. Needs root, overlayfs and cups-daemon's
# package (in apt's cache, or downloaded), and skips (exit status 77) saying why without them.
# Usage: check_lifecycle.sh PACKAGES_DIR PROGRAM_DIR CONFIG_DIR SHIPPED_SETTINGS OLD_DATA_DIR
#                           SCRIPTS_2.20-2_DIR SCRIPTS_2.20-1_DIR
set -uo pipefail

skip() { echo "SKIP: $*"; exit 77; }

if [ "${1:-}" != --inside ]; then
  packages=$1 program_dir=$2 config_dir=$3 shipped=$4 old_data_dir=$5 scripts_2202=$6
  old_scripts=$7
  [ "$(id -u)" -eq 0 ] || skip "installing packages needs root (CI runs the tests as root)"
  for folder in /usr /var /etc /opt; do
    [ "$(stat -c %d "$folder")" = "$(stat -c %d /)" ] ||
      skip "the copy of the system needs $folder on the file system of /"
  done
  unshare --mount true 2> /dev/null || skip "no private mount namespace can be made here"
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  mkdir "$work/upper" "$work/overlay" "$work/root" "$work/higher"
  # The copy shows only the file system of /: the packages go where it sees them. The
  # controller's Ansible collection has a life of its own, apart from the print server's.
  mkdir "$work/packages"
  cp "$packages"/{varnok-utility,varnok-printer,printer-driver-varnok}_*.deb "$work/packages"
  packages=$work/packages

  # Debian's own cups-daemon, at the version installed here (so its dependencies are there).
  cups_version=$(dpkg-query -W -f '${Version}' cups-daemon 2> /dev/null) ||
    skip "cups-daemon is not installed here"
  cups_deb=$(compgen -G "/var/cache/apt/archives/cups-daemon_${cups_version/:/%3a}_*.deb" | head -1)
  if [ -z "$cups_deb" ]; then
    (cd "$work" && apt-get download -q "cups-daemon=$cups_version") > "$work/download.log" 2>&1 ||
      skip "cups-daemon $cups_version is neither in apt's cache nor downloadable: $(tail -1 "$work/download.log")"
    cups_deb=$(compgen -G "$work/cups-daemon_*.deb")
  fi
  cp "$cups_deb" "$work/cups-daemon.deb"

  version=$(dpkg-deb -f "$packages"/varnok-printer_*.deb Version)
  # unpacked DEB FOLDER, then packed FOLDER VERSION DEB: a package changed as a later or an
  # earlier version, at that version (its exact dependencies on the others too).
  unpacked() { rm -rf "$2" && dpkg-deb -R "$1" "$2"; }
  packed() {
    sed -i "s/^Version: .*/Version: $2/; s/(= $version)/(= $2)/g" "$1/DEBIAN/control"
    (cd "$1" && find . -path ./DEBIAN -prune -o -type f -printf '%P\0' | xargs -0 md5sum) \
      > "$1/DEBIAN/md5sums"
    dpkg-deb -Znone --root-owner-group -b "$1" "$3" > /dev/null
  }
  # A higher version whose shipped settings have one more model section.
  for deb in "$packages"/*.deb; do
    unpacked "$deb" "$work/unpacked"
    [ ! -f "$work/unpacked$shipped" ] || printf '\r\n[VARNOK T1000]\r\nSD=0\r\n' >> "$work/unpacked$shipped"
    packed "$work/unpacked" "$version+1" "$work/higher/$(basename "$deb")" || exit 1
  done

  # The stand-in for 2.20-2's varnok-printer: its settings file a conffile, without the last
  # model section, its link relative, and that version's maintainer scripts.
  unpacked "$packages"/varnok-printer_*.deb "$work/unpacked"
  root=$work/unpacked
  mkdir -p "$root$config_dir"
  last=$(sed -n 's/^\[\(.*\)\]\r\?$/\1/p' "$root$shipped" | tail -1)
  awk -v header="[$last]" '{ line = $0; sub(/\r$/, "", line) } line == header { exit } { print }' \
    "$root$shipped" > "$root$config_dir/config.ini"
  rm -r "$root$(dirname "$shipped")" "$root$program_dir/varnok-settings-update" "$root/DEBIAN/preinst"
  ln -sfn "../..$config_dir/config.ini" "$root$program_dir/config.ini"
  cp "$scripts_2202"/postinst "$scripts_2202"/postrm "$scripts_2202"/triggers "$root/DEBIAN/"
  echo "$config_dir/config.ini" > "$root/DEBIAN/conffiles"
  packed "$root" 2.20-2 "$work/varnok-printer_2.20-2.deb" || exit 1

  # The stand-in for 2.20-1: today's files in that version's layout, the settings file in the
  # old folder, and that version's maintainer scripts.
  old=$work/old
  for deb in "$packages"/*.deb; do dpkg-deb -x "$deb" "$old"; done
  mkdir -p "$old/DEBIAN" "$old$old_data_dir"
  mv "$old$shipped" "$old$old_data_dir/config.ini"
  rm -r "$old$(dirname "$shipped")" "$old$program_dir/varnok-settings-update" \
    "$old/usr/share/doc/varnok-printer" "$old/usr/share/doc/printer-driver-varnok"
  ln -sfn "../..$old_data_dir/config.ini" "$old$program_dir/config.ini"
  cp "$old_scripts/postinst" "$old_scripts/postrm" "$old/DEBIAN/"
  cat > "$old/DEBIAN/control" << CONTROL
Package: varnok-utility
Version: 2.20-1
Architecture: $(dpkg-deb -f "$packages"/varnok-printer_*.deb Architecture)
Maintainer: VarnoK Utility maintainers <maintainers@users.noreply.c-seed-8700fe20.example>
Description: settings utility for VARNOK thermal label printers (2.20-1 stand-in)
CONTROL
  dpkg-deb --root-owner-group --build "$old" "$work/varnok-utility_2.20-1.deb" > /dev/null || exit 1

  cp "$0" "$work/lifecycle.sh"
  unshare --mount --net --propagation private bash -c '
    set -e
    work=$1
    mount -t overlay overlay -o "lowerdir=/,upperdir=$work/upper,workdir=$work/overlay" \
      "$work/root" || exit 77
    mount --bind /proc "$work/root/proc"
    mount --rbind /dev "$work/root/dev"
    mkdir -p "$work/root$work"
    mount --bind "$work" "$work/root$work"
    shift
    exec chroot "$work/root" /bin/bash "$work/lifecycle.sh" --inside "$@"
  ' lifecycle "$work" "$work" "$packages" "$program_dir" "$config_dir" "$shipped" "$old_data_dir"
  status=$?
  [ "$status" -ne 77 ] || skip "no overlay of / could be mounted here (no overlayfs, or no right to mount)"
  exit "$status"
fi

# Inside the copy from here on.
shift
work=$1 packages=$2 program_dir=$3 config_dir=$4 shipped=$5 old_data_dir=$6
config=$config_dir/config.ini
journal_dir=/var/lib/varnok-printer
names=(varnok-utility varnok-printer printer-driver-varnok)
print_server=("$packages"/varnok-printer_*.deb "$packages"/printer-driver-varnok_*.deb)
export DEBIAN_FRONTEND=noninteractive LC_ALL=C
echo 'man-db man-db/auto-update boolean false' | debconf-set-selections
# No service starts: cups-daemon's scripts would start the system's scheduler.
printf '#!/bin/sh\nexit 101\n' > /usr/sbin/policy-rc.d
chmod 755 /usr/sbin/policy-rc.d
failures=0
fail() { echo "FAIL: [$step] $*"; failures=$((failures + 1)); }
begin() {
  step=$1
  echo "== $step ($SECONDS s)"
}

# Package operations as an operator runs them; dpkg's questions have no one to answer them.
apt_get() {
  if ! apt-get -y -q -o Dpkg::Use-Pty=0 --no-install-recommends "$@" < /dev/null > "$work/apt.log" 2>&1; then
    cat "$work/apt.log"
    fail "apt-get $* failed"
  fi
}
quiet_dpkg() {
  dpkg "$@" < /dev/null > "$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg $* failed"; }
}
# The CUPS scheduler's package is not installed, nor is the printer group.
without_cups() {
  quiet_dpkg --remove cups cups-core-drivers cups-daemon
  groupdel lpadmin 2> /dev/null
}
# Everything with varnok in its name, the system's folders, and the overrides.
snapshot() {
  find /opt /etc /var/opt /var/lib /usr -name '*varnok*' -printf '%M %u %g %p\n' | sort
  stat -c '%A %U %G %n' /opt /etc/opt /var/opt
  dpkg-statoverride --list | sort
}
expect_same_system() {
  snapshot > "$work/after"
  diff -u "$work/before" "$work/after" > "$work/system.diff" ||
    fail "the system differs from before the install:$(printf '\n%s' "$(cat "$work/system.diff")")"
}
# expect_config CONTENT OWNER GROUP MODE: the file, as its folder and the program's link show it.
expect_config() {
  cmp -s "$1" "$config" || fail "config.ini holds other lines than expected:$(diff "$1" "$config" | head -20)"
  cmp -s "$config" "$program_dir/config.ini" || fail "the program's config.ini does not lead to $config"
  [ "$(stat -c '%U %G %a' "$config")" = "$2 $3 $4" ] ||
    fail "config.ini is $(stat -c '%U %G %a' "$config"), not $2 $3 $4"
  [ "$(stat -c '%U %G %a' "$config_dir")" = "root root 755" ] ||
    fail "$config_dir is $(stat -c '%U %G %a' "$config_dir"), not root root 755"
  local others
  others=$(ls -A "$config_dir" | grep -v -x config.ini)
  [ -z "$others" ] || fail "left beside config.ini:" $others
}
# expect_journal_folder OWNER GROUP MODE
expect_journal_folder() {
  [ "$(stat -c '%U %G %a' "$journal_dir" 2>&1)" = "$1 $2 $3" ] ||
    fail "$journal_dir is $(stat -c '%U %G %a' "$journal_dir" 2>&1), not $1 $2 $3"
}
expect_installed() {
  local version
  for name in "${names[@]}"; do
    version=$(dpkg-query -W -f '${db:Status-Abbrev}${Version}' "$name" 2> /dev/null)
    [ "$version" = "ii $1" ] || fail "$name is '$version', not installed at version $1"
  done
}
# set_value FILE SECTION KEY VALUE: the file as an operator's editor leaves it, line ends kept.
edited() {
  awk -v section="[$2]" -v key="$3" -v value="$4" '
    { line = $0; end = sub(/\r$/, "", line) ? "\r" : "" }
    line ~ /^\[/ { inside = line == section }
    inside && index(line, key "=") == 1 { print key "=" value end; next }
    { print }' "$1"
}
# Runs a command as a member of the printer group only.
as_member() { setpriv --reuid=nobody --regid=nogroup --groups="$(getent group lpadmin | cut -d: -f3)" -- "$@"; }

version=$(dpkg-deb -f "$packages"/varnok-printer_*.deb Version)
higher=$(dpkg-deb -f "$work"/higher/varnok-printer_*.deb Version)
dpkg-deb --fsys-tarfile "$packages"/varnok-printer_*.deb | tar -xO ".$shipped" > "$work/shipped.ini"
model=$(sed -n 's/^\[\(VARNOK[^]]*\)\]\r\?$/\1/p' "$work/shipped.ini" | head -1)
[ -n "$model" ] || { echo "FAIL: no model section in the shipped config.ini"; exit 1; }
for name in "${names[@]}"; do dpkg -P "$name" > /dev/null 2>&1; done
snapshot > "$work/before"

begin "fresh install without CUPS, so without the printer group"
without_cups
apt_get install "$packages"/*.deb
expect_installed "$version"
expect_config "$work/shipped.ini" root root 644
[ -z "$(dpkg-statoverride --list "$config")" ] || fail "config.ini has an override without the group"
expect_journal_folder root root 700

begin "cups-daemon comes in a later run and brings the printer group"
apt_get install "$work/cups-daemon.deb"
expect_config "$work/shipped.ini" root lpadmin 664
expect_journal_folder root lpadmin 2750

begin "the backend, run by the scheduler as root, records a job that group members may read"
DEVICE_URI=varnok:missing://printer /usr/lib/cups/backend/varnok 1 user title 1 '' < /dev/null \
  > /dev/null 2>&1
[ "$(stat -c '%U %G %a' "$journal_dir/journal.sqlite" 2>&1)" = "root lpadmin 640" ] ||
  fail "the journal is $(stat -c '%U %G %a' "$journal_dir/journal.sqlite" 2>&1), not root lpadmin 640"
as_member cat "$journal_dir/journal.sqlite" > /dev/null || fail "a group member cannot read the journal"
as_member touch "$journal_dir/planted" 2> /dev/null && fail "a group member can add files to $journal_dir"

begin "the operator changes a correction (root) and the language (a group member)"
edited "$config" "$model" SD 5 > "$work/operator.ini"
cat "$work/operator.ini" > "$config"
edited "$config" LANGUAGE LG ENGLISH > "$work/operator.ini"
as_member tee "$config" < "$work/operator.ini" > /dev/null || fail "a group member cannot write config.ini"
grep -q $'^SD=5\r$' "$work/operator.ini" && grep -q $'^LG=ENGLISH\r$' "$work/operator.ini" ||
  fail "the operator's changes did not take"
expect_config "$work/operator.ini" root lpadmin 664
for folder in "$config_dir" "$program_dir"; do
  as_member touch "$folder/planted" 2> /dev/null && fail "a group member can add files to $folder"
done

begin "reinstall"
apt_get install --reinstall "$packages"/*.deb
expect_installed "$version"
expect_config "$work/operator.ini" root lpadmin 664

begin "upgrade to $higher, which ships one more model section"
apt_get install "$work"/higher/*.deb
expect_installed "$higher"
printf '\r\n[VARNOK T1000]\r\nSD=0\r\n' >> "$work/operator.ini"
expect_config "$work/operator.ini" root lpadmin 664

begin "remove"
apt_get remove "${names[@]}"
[ ! -e "$program_dir" ] || fail "$program_dir is left after removal"
for folder in /opt /etc/opt /var/opt; do [ -d "$folder" ] || fail "$folder was removed"; done
cmp -s "$work/operator.ini" "$config" || fail "config.ini did not survive the removal unchanged"
[ "$(stat -c '%U %G %a' "$config")" = "root lpadmin 664" ] || fail "config.ini lost its owner or mode"

begin "purge"
apt_get purge "${names[@]}"
[ ! -e "$config_dir" ] || fail "$config_dir is left after purging"
expect_same_system

begin "cups-daemon unpacked before varnok-printer and configured after it, as apt may order them"
without_cups
quiet_dpkg --unpack "$work/cups-daemon.deb" "${print_server[@]}"
quiet_dpkg --configure --no-triggers varnok-printer printer-driver-varnok
quiet_dpkg --configure --no-triggers cups-daemon
quiet_dpkg --configure --pending
expect_config "$work/shipped.ini" root lpadmin 664
expect_journal_folder root lpadmin 2750
quiet_dpkg --purge varnok-printer printer-driver-varnok
expect_same_system

begin "upgrade from 2.20-2, its language switched by a group member"
quiet_dpkg -i "$work/varnok-printer_2.20-2.deb"
edited "$config" LANGUAGE LG ENGLISH > "$work/operator.ini"
as_member tee "$config" < "$work/operator.ini" > /dev/null || fail "a group member cannot write config.ini"
apt_get install "${print_server[@]}"
edited "$work/shipped.ini" LANGUAGE LG ENGLISH > "$work/operator.ini"
expect_config "$work/operator.ini" root lpadmin 664
[ -z "$(dpkg-query -W -f '${Conffiles}' varnok-printer)" ] || fail "dpkg still lists a conffile:" \
  "$(dpkg-query -W -f '${Conffiles}' varnok-printer)"
quiet_dpkg --purge varnok-printer printer-driver-varnok
expect_same_system

begin "2.20-1 with the operator's settings"
dpkg -i "$work/varnok-utility_2.20-1.deb" > "$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "2.20-1 does not install"; }
old_config=$old_data_dir/config.ini
edited "$old_config" "$model" SD 5 > "$work/old-operator.ini"
cat "$work/old-operator.ini" > "$old_config"
edited "$old_config" LANGUAGE LG ENGLISH > "$work/old-operator.ini"
cat "$work/old-operator.ini" > "$old_config"

begin "upgrade from 2.20-1"
apt_get install "$packages"/*.deb
expect_installed "$version"
expect_config "$work/old-operator.ini" root lpadmin 664
[ ! -e "$old_data_dir" ] || fail "$old_data_dir is left: $(ls -A "$old_data_dir")"
[ -z "$(dpkg-statoverride --list "$old_data_dir")" ] || fail "an override of $old_data_dir is left"

begin "purge after the upgrade"
apt_get purge "${names[@]}"
expect_same_system

begin "upgrade from 2.20-1 after a group member planted a link to a root-only file"
secret=/root/varnok-secret
printf 'root only\n' > "$secret"
chmod 600 "$secret"
dpkg -i "$work/varnok-utility_2.20-1.deb" > "$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "2.20-1 does not install"; }
as_member ln -sf "$secret" "$old_config" || fail "the old folder did not let a group member plant a link"
apt_get install "$packages"/*.deb
expect_config "$work/shipped.ini" root lpadmin 664
[ "$(cat "$secret")" = "root only" ] && [ "$(stat -c %a "$secret")" = 600 ] || fail "$secret was changed"
apt_get purge "${names[@]}"
rm -f "$secret"
expect_same_system

[ "$failures" -eq 0 ] && echo "Install, changes, reinstall, upgrades, removal and purges: all checks passed"
exit "$((failures > 0))"
