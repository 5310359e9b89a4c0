# The Windows build (cmake/mingw-w64.cmake as toolchain): no CUPS, the spooler through winspool,
# the header-only libraries from the host's Debian packages, GoogleTest from Debian's source, and
# the tests run under wine.

# The programs carry their C++ runtime and threads inside: nothing to ship beside them.
add_link_options(-static)
# The Windows headers without their rarely used parts and without min/max macros; Windows 7 APIs.
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)

# CLI11 and nlohmann-json are headers only. Their Debian packages install into /usr/include,
# which must not be searched for a Windows build (it holds the host's C library), so each is
# reached through a link in a folder of its own.
set(varnok_host_headers ${CMAKE_BINARY_DIR}/host-headers)
foreach(name CLI nlohmann)
  if(NOT EXISTS /usr/include/${name})
    message(FATAL_ERROR "/usr/include/${name} is missing: install libcli11-dev and nlohmann-json3-dev")
  endif()
  if(NOT IS_SYMLINK ${varnok_host_headers}/${name})
    file(MAKE_DIRECTORY ${varnok_host_headers})
    file(CREATE_LINK /usr/include/${name} ${varnok_host_headers}/${name} SYMBOLIC)
  endif()
endforeach()
add_library(varnok_host_headers INTERFACE)
target_include_directories(varnok_host_headers SYSTEM INTERFACE ${varnok_host_headers})
add_library(CLI11::CLI11 ALIAS varnok_host_headers)
add_library(nlohmann_json::nlohmann_json ALIAS varnok_host_headers)

# Test programs run under wine, each test run in its own wine prefix (scripts/windows/wine-run).
set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/scripts/windows/wine-run)

# GoogleTest built from Debian's source (package googletest) with the Windows compiler; it names
# its targets as find_package(GTest) does on Linux. Our warning options are not applied to it.
macro(varnok_googletest_from_source)
  set(VARNOK_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's source")
  if(NOT EXISTS ${VARNOK_GOOGLETEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "${VARNOK_GOOGLETEST_SOURCE} is missing: install googletest")
  endif()
  get_directory_property(varnok_own_options COMPILE_OPTIONS)
  set_directory_properties(PROPERTIES COMPILE_OPTIONS "")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(${VARNOK_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set_directory_properties(PROPERTIES COMPILE_OPTIONS "${varnok_own_options}")
endmacro()
