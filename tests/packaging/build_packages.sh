#!/usr/bin/env bash
# Builds the Debian packages of the build folder with CPack into an emptied folder, for the
# checks that read them.
# Usage: build_packages.sh BUILD_DIR PACKAGES_DIR
set -uo pipefail
build=$1 packages=$2

rm -rf "$packages"
mkdir -p "$packages"
if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$packages" > "$packages/cpack.log" 2>&1; then
  cat "$packages/cpack.log"
  echo "FAIL: cpack failed"
  exit 1
fi
rm -rf "$packages/_CPack_Packages"
for deb in "$packages"/*.deb; do
  echo "Built $(basename "$deb"): $(stat -c %s "$deb") bytes, installed $(dpkg-deb -f "$deb" Installed-Size) KiB"
  echo "  Depends: $(dpkg-deb -f "$deb" Depends)"
done
