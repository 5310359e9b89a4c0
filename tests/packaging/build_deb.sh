# Sourced by the package checks: build_deb BUILD_DIR WORK_DIR builds the Debian package with
# CPack into WORK_DIR and sets deb to its path, or says why not and exits 1.
build_deb() {
  if ! cpack -G DEB --config "$1/CPackConfig.cmake" -B "$2" > "$2/cpack.log" 2>&1; then
    cat "$2/cpack.log"
    echo "FAIL: cpack failed"
    exit 1
  fi
  deb=$(echo "$2"/varnok-utility_*.deb)
  [ -f "$deb" ] || { echo "FAIL: no varnok-utility .deb in: $(ls "$2")"; exit 1; }
  echo "Built $(basename "$deb"), $(stat -c %s "$deb") bytes"
}
