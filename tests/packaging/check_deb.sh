#!/usr/bin/env bash
# Checks the built Debian packages as dpkg would install them: each holds exactly its own files,
# depends on exactly what its role needs (varnok-printer on libcups, SQLite for the journal and
# the C++ runtime alone),
# takes its files over from the varnok-utility before the split, lists none of the system's
# folders /opt, /etc/opt and /var/opt, and carries its control files and maintainer scripts (no
# conffiles: the operator's settings file is kept by varnok-printer's scripts).
# Usage: check_deb.sh PACKAGES_DIR ARCHITECTURE PROGRAM_DIR CONFIG_DIR SHIPPED_SETTINGS
#                     APPSTREAM_ID DRIVER_FOLDER DRIVER_DIR COLLECTION_DIR COLLECTION_INSTALL_DIR
#                     PACKAGE...
set -uo pipefail
packages=$1 arch=$2 program_dir=$3 config_dir=$4 shipped=$5 appstream_id=$6 driver_folder=$7
driver_dir=$8 collection=$9 collection_dir=${10}
shift 10
expected_packages=("$@")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

deb_of() { echo "$packages/$1_"*.deb; }
field() { dpkg-deb -f "$(deb_of "$1")" "$2"; }
# The package names a relation field names, one a line, sorted.
names_in() { field "$1" "$2" | tr ',|' '\n\n' | sed 's/(.*//; s/ //g; /^$/d' | sort -u; }

for package in "${expected_packages[@]}"; do
  [ -f "$(deb_of "$package")" ] || { fail "no $package package in $packages"; continue; }
done
[ "$failures" -eq 0 ] || exit 1
version=$(field varnok-printer Version)
split_from="varnok-utility (<< 2.20-2)"

# package | Architecture | Depends exactly (names) | Replaces and Breaks | control members
checks=(
  "printer-driver-varnok|all||$split_from|"
  "varnok-printer|$arch|libc6 libcups2 libgcc-s1 libsqlite3-0 libstdc++6|$split_from|postinst postrm preinst triggers"
  "varnok-utility|$arch|*|-|postinst preinst"
  "varnok-printer-ansible|all|ansible-core|-|"
)
for row in "${checks[@]}"; do
  IFS='|' read -r package want_arch want_depends want_moved want_control <<< "$row"
  [[ " ${expected_packages[*]} " == *" $package "* ]] || continue
  [ "$(field "$package" Architecture)" = "$want_arch" ] ||
    fail "$package is for '$(field "$package" Architecture)', not $want_arch"
  [ "$(field "$package" Version)" = "$version" ] || fail "$package has version $(field "$package" Version)"
  if [ "$want_depends" != "*" ]; then
    depends=$(names_in "$package" Depends | xargs)
    [ "$depends" = "$want_depends" ] || fail "$package depends on '$depends', not '$want_depends'"
  fi
  if [ "$want_moved" != "-" ]; then
    for relation in Replaces Breaks; do
      [ "$(field "$package" "$relation")" = "$want_moved" ] ||
        fail "$package $relation: '$(field "$package" "$relation")', not '$want_moved'"
    done
  fi
  mkdir -p "$work/control/$package"
  dpkg-deb -e "$(deb_of "$package")" "$work/control/$package"
  control=$(cd "$work/control/$package" && ls | grep -v -x -e control -e md5sums | xargs)
  [ "$control" = "$want_control" ] || fail "$package has control files '$control', not '$want_control'"
  for script in preinst postinst postrm; do
    file=$work/control/$package/$script
    [ -f "$file" ] || continue
    [ -x "$file" ] || fail "$package's $script is not executable"
    sh -n "$file" || fail "$package's $script is not valid shell"
  done
  system_folders=$(dpkg-deb -c "$(deb_of "$package")" | awk '{ print $6 }' |
    grep -x -e ./opt/ -e ./etc/opt/ -e ./var/opt/)
  [ -z "$system_folders" ] || fail "$package lists the system's folders:" $system_folders
done

if [ -f "$(deb_of varnok-utility)" ]; then
  depends=$(field varnok-utility Depends)
  for needed in "printer-driver-varnok (= $version)" "varnok-printer (= $version)" \
    'libqt6widgets6' 'fonts-wqy-microhei | fonts-noto-cjk'; do
    case ", $depends," in
      *", $needed"[\ ,]*) ;;
      *) fail "varnok-utility's Depends lacks '$needed': $depends" ;;
    esac
  done
fi

# Every entry but folders, as "mode path[ -> target]", each package's own.
contents() {
  dpkg-deb -c "$(deb_of "$1")" | awk '$1 !~ /^d/ { $2 = $3 = $4 = $5 = ""; print }' |
    sed 's/^\(\S*\) */\1 /' | sort
}
doc() { printf '%s\n' "-rw-r--r-- ./usr/share/doc/$1/changelog.Debian.gz" "-rw-r--r-- ./usr/share/doc/$1/copyright"; }
declare -A expected
expected[printer-driver-varnok]=$(
  doc printer-driver-varnok
  cd "$driver_folder" && for file in *.ppd; do echo "-rw-r--r-- .$driver_dir/$file"; done
)
expected[varnok-printer]=$(
  doc varnok-printer
  cat << LIST
-rwxr-xr-x .$program_dir/varnok-printer
-rwxr-xr-x .$program_dir/varnok-settings-update
lrwxrwxrwx .$program_dir/config.ini -> $config_dir/config.ini
-rw-r--r-- .$shipped
lrwxrwxrwx ./usr/bin/varnok-printer -> $program_dir/varnok-printer
-rwx------ ./usr/lib/cups/backend/varnok
-rw-r--r-- ./usr/share/lintian/overrides/varnok-printer
-rw-r--r-- ./usr/share/bash-completion/completions/varnok-printer
-rw-r--r-- ./usr/share/man/man1/varnok-printer.1.gz
LIST
)
expected[varnok-utility]=$(
  doc varnok-utility
  cat << LIST
-rwxr-xr-x .$program_dir/varnok-utility
lrwxrwxrwx ./usr/bin/varnok-utility -> $program_dir/varnok-utility
-rw-r--r-- ./usr/share/applications/varnok-utility.desktop
-rw-r--r-- ./usr/share/icons/hicolor/scalable/apps/varnok-utility.svg
-rw-r--r-- ./usr/share/man/man1/varnok-utility.1.gz
-rw-r--r-- ./usr/share/metainfo/$appstream_id.metainfo.xml
LIST
)
expected[varnok-printer-ansible]=$(
  doc varnok-printer-ansible
  echo "-rw-r--r-- ./usr/share/lintian/overrides/varnok-printer-ansible"
  cd "$collection" && find . -name __pycache__ -prune -o -type f -print | sed "s|^\.|-rw-r--r-- .$collection_dir|"
)
for package in "${expected_packages[@]}"; do
  sort <<< "${expected[$package]}" > "$work/$package.expected"
  contents "$package" > "$work/$package.contents"
  diff -u "$work/$package.expected" "$work/$package.contents" > "$work/$package.diff" ||
    fail "$package's contents differ from the expected ones:$(printf '\n%s' "$(cat "$work/$package.diff")")"

  dpkg-deb -x "$(deb_of "$package")" "$work/root"
  changelog_version=$(zcat "$work/root/usr/share/doc/$package/changelog.Debian.gz" |
    sed -n '1s/^varnok-utility (\([^)]*\)).*/\1/p')
  [ "$changelog_version" = "$version" ] ||
    fail "$package: the changelog's latest entry is version '$changelog_version', the package $version"
done
diff -r "$driver_folder" "$work/root$driver_dir" > /dev/null ||
  fail "the packaged driver files are not the built ones"
diff -r -x __pycache__ "$collection" "$work/root$collection_dir" > /dev/null ||
  fail "the packaged Ansible collection is not the built one"

[ "$failures" -eq 0 ] && echo "Debian packages ${expected_packages[*]}: all checks passed"
exit "$((failures > 0))"
