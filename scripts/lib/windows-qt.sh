# shellcheck shell=bash
# shellcheck disable=SC2034  # WINDOWS_QT is for the scripts that source this file
# Qt for Windows (mingw-w64) for the Windows windows: where to find it, and the runnable folder
# built against it. Sourced by common.sh.

# The ready-made Qt the machine may share beside the tree (or where VARNOK_QT_WINDOWS_ARCHIVE
# says), and the digest it must have. A clone of a developer's tree elsewhere (a fresh clone for
# CI, say) finds it beside the tree it was cloned from.
WINDOWS_QT_ARCHIVE_NAME=windows-qt/qt-6.4.2-mingw-w64-x86_64.tar.xz
WINDOWS_QT_ARCHIVE="${VARNOK_QT_WINDOWS_ARCHIVE:-$ROOT/../shared/$WINDOWS_QT_ARCHIVE_NAME}"
WINDOWS_QT_SHA256=45e0d3337ebc395786d2f64b7f15437ba7bf5a2fe003440c4a0d22f20ef3beeb

# find_windows_qt: sets WINDOWS_QT to a Qt prefix for Windows: the shared archive, unpacked once
# into a cache outside the tree (kept by its digest, so an unpacked one serves a clone that has no
# archive beside it), else what scripts/windows/build-qt made. Without any it says what is
# skipped and returns 1; with CI=true it exits 1 instead.
find_windows_qt() {
  WINDOWS_QT=""
  local cache="${XDG_CACHE_HOME:-$HOME/.cache}/varnok-qt-windows/$WINDOWS_QT_SHA256"
  local origin
  origin="$(git -C "$ROOT" config --get remote.origin.url 2>/dev/null || true)"
  if [ ! -f "$WINDOWS_QT_ARCHIVE" ] && [ -z "${VARNOK_QT_WINDOWS_ARCHIVE:-}" ] && [ -d "$origin" ] &&
    [ -f "$origin/../shared/$WINDOWS_QT_ARCHIVE_NAME" ]; then
    WINDOWS_QT_ARCHIVE="$(realpath "$origin/../shared/$WINDOWS_QT_ARCHIVE_NAME")"
  fi
  if [ -f "$WINDOWS_QT_ARCHIVE" ] && [ ! -x "$cache/prefix/bin/qt-cmake" ]; then
    say "Checking and unpacking $WINDOWS_QT_ARCHIVE into $cache"
    echo "$WINDOWS_QT_SHA256  $WINDOWS_QT_ARCHIVE" | sha256sum --check --quiet
    mkdir -p "$(dirname "$cache")"
    # Unpacked beside its place and renamed: an interrupted unpack is never taken for Qt.
    local partial
    partial="$(mktemp -d "$cache.partial.XXXXXX")"
    tar -xJf "$WINDOWS_QT_ARCHIVE" -C "$partial"
    rm -rf "$cache"
    mv "$partial" "$cache"
  fi
  if [ -x "$cache/prefix/bin/qt-cmake" ]; then
    WINDOWS_QT="$cache/prefix"
    return 0
  fi
  local built="${VARNOK_QT_WINDOWS:-$HOME/.cache/varnok-qt-mingw}/prefix"
  if [ -f "$built/.complete" ]; then
    WINDOWS_QT="$built"
    return 0
  fi
  local line="Windows windows and installers skipped: no Qt for Windows (neither"
  line+=" $WINDOWS_QT_ARCHIVE nor $built); scripts/windows/build-qt makes it"
  if [ "${CI:-}" = true ]; then
    echo "$line" >&2
    exit 1
  fi
  say "$line"
  return 1
}

# lay_out_windows_dist QT BUILD DIST: a folder that runs as it is, on Windows or under wine: the
# files the installers install (packaging/windows/files.list), from BUILD's bin (the programs and
# config.ini), from Qt (its libraries and plugins) and the mingw runtime Qt's libraries use (our
# programs carry theirs inside).
lay_out_windows_dist() {
  local qt="$1" build="$2" dist="$3" path how from
  say "Laying out $dist"
  rm -rf "$dist"
  while read -r path how _; do
    case "$path" in
      *.exe | config.ini) from="$build/bin/$path" ;;
      Qt6*.dll) from="$qt/bin/$path" ;;
      */*.dll) from="$qt/plugins/$path" ;;
      *.dll) from="$(x86_64-w64-mingw32-g++-posix -print-file-name="$path")" ;;
      *) from="" ;;
    esac
    if [ ! -f "$from" ]; then
      # An optional file (the native look of Windows 7 and later) only when Qt has it.
      [ "$how" = optional ] && continue
      echo "lay_out_windows_dist: $path of packaging/windows/files.list not found (${from:-no place known})" >&2
      return 1
    fi
    mkdir -p "$(dirname "$dist/$path")"
    cp "$from" "$dist/$path"
  done < <(grep -v '^[[:space:]]*\(#\|$\)' "$ROOT/packaging/windows/files.list")
  say "$(du -sh "$dist" | cut -f1) in $dist"
}
