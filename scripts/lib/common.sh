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
)

say() { printf '==> %s\n' "$*"; }

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
