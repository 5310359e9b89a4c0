# Cross-building for 64-bit ARM Linux (Debian's arm64) with Debian's cross compilers
# (crossbuild-essential-arm64) and the arm64 libraries installed beside the native ones
# (multiarch: libcups2-dev:arm64, libsqlite3-dev:arm64, libgtest-dev:arm64). The compilers know the
# multiarch folders, and CMake searches /usr/lib/aarch64-linux-gnu for the libraries. Programs
# built here run on this machine through qemu-user: tests through ctest, build-time generators
# through their custom commands.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
# The programs' loader and C library are the multiarch ones (libc6:arm64, which libcups2:arm64
# brings), from the root. Not the cross toolchain's folder /usr/aarch64-linux-gnu: its loader
# would find the multiarch C library of another build, and the pair hangs at the first thread.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64 -L /)
