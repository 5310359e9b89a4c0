#!/usr/bin/env bash
# Builds the Debian package with CPack and checks what dpkg would install and run: exactly the
# program, its settings file and link, the launcher and desktop files; the libraries and fonts
# the program needs as dependencies; maintainer scripts that are executable shell.
# Usage: check_deb.sh BUILD_DIR PROGRAM_DIR DATA_DIR APPSTREAM_ID
set -uo pipefail
build=$1 program_dir=$2 data_dir=$3 appstream_id=$4

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" > "$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  echo "FAIL: cpack failed"
  exit 1
fi
deb=$(echo "$work"/varnok-utility_*.deb)
[ -f "$deb" ] || { echo "FAIL: no varnok-utility .deb in: $(ls "$work")"; exit 1; }
echo "Built $(basename "$deb"), $(stat -c %s "$deb") bytes"

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
lrwxrwxrwx .$program_dir/config.ini -> ../..$data_dir/config.ini
-rw-r--r-- .$data_dir/config.ini
lrwxrwxrwx ./usr/bin/varnok-utility -> $program_dir/varnok-utility
-rw-r--r-- ./usr/share/applications/varnok-utility.desktop
-rw-r--r-- ./usr/share/doc/varnok-utility/interface-font-notice.txt
-rw-r--r-- ./usr/share/icons/hicolor/scalable/apps/varnok-utility.svg
-rw-r--r-- ./usr/share/metainfo/$appstream_id.metainfo.xml
LIST
diff -u "$work/expected" "$work/contents" > "$work/contents.diff" ||
  fail "package contents differ from the expected ones:$(printf '\n%s' "$(cat "$work/contents.diff")")"

dpkg-deb -e "$deb" "$work/control"
for script in preinst postinst postrm; do
  [ -x "$work/control/$script" ] || fail "maintainer script $script missing or not executable"
  [ -x "$work/control/$script" ] && ! sh -n "$work/control/$script" && fail "$script is not valid shell"
done

[ "$failures" -eq 0 ] && echo "Debian package: all checks passed"
exit "$((failures > 0))"
