# Cross-building for 64-bit Windows with Debian's mingw-w64, posix-thread compilers (they give
# std::thread and std::jthread; the win32-thread ones do not).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VARNOK_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VARNOK_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VARNOK_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VARNOK_MINGW_TRIPLE}-windres)

# Libraries and headers come from the mingw folder only; programs run here come from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${VARNOK_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
