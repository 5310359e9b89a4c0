# Shared by the scripts: install what is missing, configure and build, start the virtual label
# printers.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

# Debian packages the build, the tests and the program need (ansible-test's sanity tests run
# with Debian's pycodestyle, pylint, yamllint and voluptuous).
PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libcups2-dev libsqlite3-dev libgtest-dev libgmock-dev libx11-dev libcli11-dev
  nlohmann-json3-dev
  cups-daemon cups-client cups
  fonts-wqy-microhei fonttools xvfb xauth desktop-file-utils appstream lintian help2man
  bash-completion
  ansible-core ansible-lint yamllint python3-pycodestyle pylint python3-voluptuous
)

# What the Windows build adds (posix-thread mingw compilers, GoogleTest's source) and wine for its
# tests; wine reaches printers through libcups, which it only recommends; the faces the window
# tests measure texts in under wine, those fontconfig gives them on Linux; what the check of the
# real windows drives them and takes screenshots with.
WINDOWS_PACKAGES=(
  mingw-w64 g++-mingw-w64-x86-64-posix googletest wine wine64 libcups2
  fonts-dejavu-core fonts-urw-base35 xdotool imagemagick
)

# What the arm64 build adds: Debian's cross compilers, the arm64 libraries beside the native ones
# (multiarch) and qemu-user, which runs its programs and tests here.
ARM64_PACKAGES=(
  crossbuild-essential-arm64 qemu-user
  libcups2-dev:arm64 libsqlite3-dev:arm64 libgtest-dev:arm64 libgmock-dev:arm64 libstdc++6:arm64
)

say() { printf '==> %s\n' "$*"; }

# The program's version, as the top CMakeLists.txt states it, or VARNOK_VERSION when set (the
# installers of an older version number that the upgrade checks start from).
project_version() {
  if [ -n "${VARNOK_VERSION:-}" ]; then
    [[ "$VARNOK_VERSION" =~ ^[0-9]+(\.[0-9]+){0,2}$ ]] ||
      { echo "VARNOK_VERSION=$VARNOK_VERSION is not a version such as 0.1 or 2.20" >&2; return 1; }
    echo "$VARNOK_VERSION"
    return
  fi
  sed -n 's/^project(varnok_utility VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt"
}

# start_virtual_printers BIN [ARGUMENT...]: starts BIN/varnok-virtual-printers (a private CUPS
# scheduler with virtual label printers) in the background and waits until its queues are ready.
# Sets PRINTERS_PID, PRINTERS_OUTPUT (a file with what the tool printed), CUPS_SERVER (exported)
# and CAPTURE (the folder of the jobs the printers receive: CAPTURE/QUEUE/job-0001, ...).
start_virtual_printers() {
  local bin="$1" waited=0
  shift
  PRINTERS_OUTPUT="$(mktemp -t varnok-virtual-printers.XXXXXX)"
  "$bin/varnok-virtual-printers" "$@" >"$PRINTERS_OUTPUT" 2>&1 &
  PRINTERS_PID=$!
  # The tool prints all its lines at once, when its queues are ready.
  until grep -q '^captured jobs: ' "$PRINTERS_OUTPUT"; do
    if ! kill -0 "$PRINTERS_PID" 2>/dev/null || [ "$waited" -ge 600 ]; then
      echo "The virtual printers did not start within 60 s:" >&2
      cat "$PRINTERS_OUTPUT" >&2
      exit 1
    fi
    sleep 0.1
    waited=$((waited + 1))
  done
  CUPS_SERVER="$(sed -n 's/^CUPS_SERVER=//p' "$PRINTERS_OUTPUT")"
  export CUPS_SERVER
  CAPTURE="$(sed -n 's|^captured jobs: \(.*\)/<queue>/$|\1|p' "$PRINTERS_OUTPUT")"
}

# timed COMMAND...: runs it and says how long it took.
timed() {
  local start=$SECONDS status=0
  "$@" || status=$?
  say "$(( (SECONDS - start) / 60 )) min $(( (SECONDS - start) % 60 )) s: $*"
  return "$status"
}

# One wine prefix for the whole test run, in a temporary folder. Its first start sets it up and
# starts wine's server, so that listing each test program's tests takes no longer than a second.
start_wine_prefix() {
  WINEPREFIX="$(mktemp -d -t varnok-wine.XXXXXX)"
  export WINEPREFIX WINEDEBUG=-all
  trap stop_wine_prefix EXIT
  say "Setting up a wine prefix in $WINEPREFIX"
  "$ROOT/scripts/windows/wine-run" cmd.exe /c exit >/dev/null 2>&1
}

stop_wine_prefix() {
  [ -n "${WINEPREFIX:-}" ] || return 0
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX" "$WINEPREFIX.lock"
  unset WINEPREFIX
}

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# install_missing_packages [PACKAGE...]: those of the list given, else of PACKAGES.
install_missing_packages() {
  local wanted=("$@")
  [ "${#wanted[@]}" -gt 0 ] || wanted=("${PACKAGES[@]}")
  local missing=()
  local p
  for p in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ "${#missing[@]}" -eq 0 ]; then
    say "All needed Debian packages are installed."
    return
  fi
  say "Installing missing Debian packages: ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Lets apt install arm64 packages beside the native ones.
add_arm64_architecture() {
  dpkg --print-foreign-architectures | grep -qx arm64 && return
  say "Adding the arm64 architecture to dpkg"
  as_root dpkg --add-architecture arm64
}

# build_tree DIR [cmake options...]: configure (once) and build into DIR.
build_tree() {
  local dir="$1"
  shift
  say "Configuring $dir"
  # Trees are built with Ninja; one an older version of this script made with make starts afresh.
  if [ -f "$dir/CMakeCache.txt" ] && ! grep -qx 'CMAKE_GENERATOR:INTERNAL=Ninja' "$dir/CMakeCache.txt"; then
    say "Removing $dir: it was configured for another generator"
    rm -rf "$dir"
  fi
  # A developer's ccache, when there is one, shares compiled files between trees.
  local launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
  say "Building $dir"
  cmake --build "$dir" --parallel "$(nproc)"
}

# shellcheck source=scripts/lib/windows-qt.sh
source "$ROOT/scripts/lib/windows-qt.sh"
