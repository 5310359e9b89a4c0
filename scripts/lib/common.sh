# Shared by scripts/run and scripts/test: install what is missing, then configure and build.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

# Debian packages the build, the tests and the program need.
PACKAGES=(
  build-essential cmake pkg-config
  qt6-base-dev libcups2-dev libgtest-dev libgmock-dev libx11-dev libcli11-dev nlohmann-json3-dev
  cups-daemon cups-client cups
  fonts-wqy-microhei fonttools xvfb xauth desktop-file-utils appstream lintian help2man
  bash-completion
  # The Windows build (posix-thread mingw compilers, GoogleTest's source) and wine for its tests;
  # wine reaches printers through libcups, which it only recommends.
  mingw-w64 g++-mingw-w64-x86-64-posix googletest wine wine64 libcups2
)

say() { printf '==> %s\n' "$*"; }

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

install_missing_packages() {
  local missing=()
  local p
  for p in "${PACKAGES[@]}"; do
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

# build_tree DIR [cmake options...]: configure (once) and build into DIR.
build_tree() {
  local dir="$1"
  shift
  say "Configuring $dir"
  # A developer's ccache, when there is one, shares compiled files between trees.
  local launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
  say "Building $dir"
  cmake --build "$dir" --parallel "$(nproc)"
}
