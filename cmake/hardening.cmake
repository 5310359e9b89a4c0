# The hardening Debian builds its packages with (dpkg-buildflags, hardening=+all): checked
# buffer functions, a strong stack protector, position-independent programs, and relocations
# resolved at start and then made read-only. Only for Linux programs: the sanitizer and fuzzer
# builds check the same at run time and keep their own flags.
if(CMAKE_SYSTEM_NAME STREQUAL "Linux" AND NOT VARNOK_SANITIZE AND NOT VARNOK_SANITIZE_THREAD
   AND NOT VARNOK_FUZZ)
  # The checked functions need the optimiser, which a Debug build goes without.
  add_compile_definitions($<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:_FORTIFY_SOURCE=2>)
  add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security)
  add_link_options(LINKER:-z,relro LINKER:-z,now)
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  include(CheckPIESupported)
  check_pie_supported()
endif()
