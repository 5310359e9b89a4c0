# What the window tests of a Windows build need beside them in bin to run under wine, as the
# program finds it on Windows: the Qt libraries, the shared C++ runtime they use (our programs
# carry theirs inside) and the offscreen platform. Copied there at build time: then every way of
# starting a test program (ctest, listing its tests, wine-run by hand) finds them with nothing
# to set: Windows looks beside the program first, and Qt for its platforms there.
#
# Qt's offscreen platform on Windows reads fonts from its library folder's fonts folder alone
# (bin/lib/fonts for Qt libraries in bin) and wine brings none: it gets the faces fontconfig
# gives the Linux tests, Latin, Arial's stand-in and Chinese.
find_package(Qt6 REQUIRED COMPONENTS Test)

set(varnok_windows_runtime_dlls)
foreach(name libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${name}
    OUTPUT_VARIABLE dll OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${dll}" OR NOT EXISTS "${dll}")
    message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not find ${name}")
  endif()
  list(APPEND varnok_windows_runtime_dlls ${dll})
endforeach()

# Arial's stand-in is the Type 1 face fontconfig picks, not its OpenType twin (whose lines are
# spaced apart further); Qt takes a Type 1 face in ASCII form only by the name .pfa.
set(varnok_test_fonts
  /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
  /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
  /usr/share/fonts/type1/urw-base35/NimbusSans-Regular.t1
  /usr/share/fonts/type1/urw-base35/NimbusSans-Bold.t1
  ${VARNOK_CJK_FONT})
set(bin ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
set(varnok_copy_fonts)
foreach(font ${varnok_test_fonts})
  if(NOT EXISTS ${font})
    message(FATAL_ERROR "${font} is missing: install fonts-dejavu-core, fonts-urw-base35 and "
      "fonts-wqy-microhei")
  endif()
  get_filename_component(name ${font} NAME)
  string(REGEX REPLACE "\\.t1$" ".pfa" name ${name})
  list(APPEND varnok_copy_fonts
    COMMAND ${CMAKE_COMMAND} -E copy ${font} ${bin}/lib/fonts/${name})
endforeach()

# The fonts folder holds those of the list and no others.
add_custom_target(varnok_windows_qt_runtime
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${bin}/lib/fonts
  COMMAND ${CMAKE_COMMAND} -E make_directory ${bin}/platforms ${bin}/lib/fonts
  COMMAND ${CMAKE_COMMAND} -E copy_if_different
    $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets>
    $<TARGET_FILE:Qt6::Test> ${varnok_windows_runtime_dlls} ${bin}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different
    $<TARGET_FILE:Qt6::QOffscreenIntegrationPlugin> ${bin}/platforms
  ${varnok_copy_fonts}
  COMMENT "Copying Qt, its runtime, the offscreen platform and the test fonts beside the tests"
  VERBATIM)
