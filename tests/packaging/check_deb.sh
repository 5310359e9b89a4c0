#!/usr/bin/env bash
# Builds the Debian package with CPack and checks what dpkg would install and run: exactly the
# program, its settings file and link, the launcher and desktop files, the built driver files,
# the manual page, copyright and changelog; the libraries and fonts the program needs as
# dependencies; maintainer scripts that are executable shell.
# Usage: check_deb.sh BUILD_DIR PROGRAM_DIR DATA_DIR APPSTREAM_ID DRIVER_FOLDER DRIVER_DIR
set -uo pipefail
build=$1 program_dir=$2 data_dir=$3 appstream_id=$4 driver_folder=$5 driver_dir=$6

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$(dirname "$0")/build_deb.sh"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

build_deb "$build" "$work"

depends=$(dpkg-deb -f "$deb" Depends)
for needed in 'libqt6widgets6' 'libcups2' 'fonts-wqy-microhei | fonts-noto-cjk' 'adduser'; do
  case ", $depends," in
    *", $needed"[\ ,]*) ;;
    *) fail "Depends lacks '$needed': $depends" ;;
  esac
done

# Every entry but folders, as "mode path[ -> target]".
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { $2 = $3 = $4 = $5 = ""; print }' | sed 's/^\(\S*\) */\1 /' |
  sort > "$work/contents"
sort > "$work/expected" <<LIST
-rwxr-xr-x .$program_dir/varnok-utility
-rwxr-xr-x .$program_dir/varnok-printer
lrwxrwxrwx .$program_dir/config.ini -> ../..$data_dir/config.ini
-rw-r--r-- .$data_dir/config.ini
lrwxrwxrwx ./usr/bin/varnok-utility -> $program_dir/varnok-utility
lrwxrwxrwx ./usr/bin/varnok-printer -> $program_dir/varnok-printer
-rw-r--r-- ./usr/share/bash-completion/completions/varnok-printer
-rw-r--r-- ./usr/share/applications/varnok-utility.desktop
-rw-r--r-- ./usr/share/doc/varnok-utility/changelog.Debian.gz
-rw-r--r-- ./usr/share/doc/varnok-utility/copyright
-rw-r--r-- ./usr/share/icons/hicolor/scalable/apps/varnok-utility.svg
-rw-r--r-- ./usr/share/man/man1/varnok-utility.1.gz
-rw-r--r-- ./usr/share/man/man1/varnok-printer.1.gz
-rw-r--r-- ./usr/share/metainfo/$appstream_id.metainfo.xml
$(cd "$driver_folder" && for file in *.ppd; do echo "-rw-r--r-- .$driver_dir/$file"; done)
LIST
diff -u "$work/expected" "$work/contents" > "$work/contents.diff" ||
  fail "package contents differ from the expected ones:$(printf '\n%s' "$(cat "$work/contents.diff")")"

dpkg-deb -x "$deb" "$work/root"
diff -r "$driver_folder" "$work/root$driver_dir" > /dev/null ||
  fail "the packaged driver files are not the built ones"
version=$(dpkg-deb -f "$deb" Version)
changelog_version=$(zcat "$work/root/usr/share/doc/varnok-utility/changelog.Debian.gz" |
  sed -n '1s/^varnok-utility (\([^)]*\)).*/\1/p')
[ "$changelog_version" = "$version" ] ||
  fail "the changelog's latest entry is version '$changelog_version', the package $version"

dpkg-deb -e "$deb" "$work/control"
for script in preinst postinst postrm; do
  [ -x "$work/control/$script" ] || fail "maintainer script $script missing or not executable"
  [ -x "$work/control/$script" ] && ! sh -n "$work/control/$script" && fail "$script is not valid shell"
done

[ "$failures" -eq 0 ] && echo "Debian package: all checks passed"
exit "$((failures > 0))"
