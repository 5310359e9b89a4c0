# The Debian packages, built by `cpack -G DEB` in the build folder: one package a component.

# The version is the changelog's latest entry, whose upstream part must be the program's.
file(STRINGS changelog latest_entry LIMIT_COUNT 1)
if(NOT latest_entry MATCHES "^varnok-utility \\(([^-]+)-([^)]+)\\)")
  message(FATAL_ERROR "packaging/changelog: the first line names no version: ${latest_entry}")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "packaging/changelog: version ${CMAKE_MATCH_1}, the program ${PROJECT_VERSION}")
endif()
set(CPACK_DEBIAN_PACKAGE_RELEASE ${CMAKE_MATCH_2})

# Maintainer scripts and control files, each package's in its own folder.
set(control ${CMAKE_CURRENT_BINARY_DIR}/debian)
function(varnok_control_files package)
  set(files)
  foreach(name IN LISTS ARGN)
    set(source ${CMAKE_CURRENT_SOURCE_DIR}/debian/${package}.${name})
    if(EXISTS ${source}.in)
      configure_file(${source}.in ${control}/${package}/${name} @ONLY)
    else()
      configure_file(${source} ${control}/${package}/${name} COPYONLY)
    endif()
    list(APPEND files ${control}/${package}/${name})
  endforeach()
  set(control_files ${files} PARENT_SCOPE)
endfunction()

set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${components})
set(CPACK_PACKAGE_NAME varnok-utility)
set(CPACK_PACKAGE_VENDOR "VarnoK Utility maintainers")
set(CPACK_PACKAGE_CONTACT "VarnoK Utility maintainers <maintainers@users.noreply.c-seed-8700fe20.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The settings varnok-printer ships, from which its maintainer scripts make the operator's file.
set(VARNOK_SHIPPED_SETTINGS ${CPACK_PACKAGING_INSTALL_PREFIX}/${VARNOK_DEFAULTS_DIR}/config.ini)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Library packages come from the programs' own links.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# varnok-utility needs the other two at exactly its own version.
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
# The Debian name of the machine the programs are built for (arm64 in a cross build).
find_program(VARNOK_DPKG_ARCHITECTURE dpkg-architecture REQUIRED)
execute_process(
  COMMAND ${VARNOK_DPKG_ARCHITECTURE} --host-type ${CMAKE_LIBRARY_ARCHITECTURE} -qDEB_HOST_ARCH
  OUTPUT_VARIABLE CPACK_DEBIAN_PACKAGE_ARCHITECTURE OUTPUT_STRIP_TRAILING_WHITESPACE
  ERROR_QUIET COMMAND_ERROR_IS_FATAL ANY)
# Files that moved out of varnok-utility when it was split.
set(moved_from "varnok-utility (<< ${VARNOK_SPLIT_VERSION})")

set(CPACK_DEBIAN_DRIVERS_PACKAGE_NAME printer-driver-varnok)
set(CPACK_DEBIAN_DRIVERS_PACKAGE_ARCHITECTURE all)
set(CPACK_DEBIAN_DRIVERS_PACKAGE_SECTION text)
set(CPACK_DEBIAN_DRIVERS_PACKAGE_SHLIBDEPS OFF)
set(CPACK_DEBIAN_DRIVERS_PACKAGE_REPLACES ${moved_from})
set(CPACK_DEBIAN_DRIVERS_PACKAGE_BREAKS ${moved_from})
set(CPACK_DEBIAN_DRIVERS_DESCRIPTION "CUPS driver files for VARNOK thermal label printers
One driver file (PPD) for each VARNOK label printer model the VARNOK Printer
Utility supports, offered by CUPS under the maker VARNOK. A queue made with
one reports the model as its make and model and passes every job to the
printer unchanged, so label software and a plain lp print as they are.")

set(CPACK_DEBIAN_PRINTER_PACKAGE_NAME varnok-printer)
set(CPACK_DEBIAN_PRINTER_PACKAGE_SECTION admin)
# Debian's cups: the scheduler (cups-daemon), the driver list and device discovery it answers
# through (cups-driverd, cups-deviced), and the socket and usb backends.
set(CPACK_DEBIAN_PRINTER_PACKAGE_RECOMMENDS "printer-driver-varnok, cups")
set(CPACK_DEBIAN_PRINTER_PACKAGE_REPLACES ${moved_from})
set(CPACK_DEBIAN_PRINTER_PACKAGE_BREAKS ${moved_from})
varnok_control_files(varnok-printer preinst postinst postrm triggers)
set(CPACK_DEBIAN_PRINTER_PACKAGE_CONTROL_EXTRA ${control_files})
set(CPACK_DEBIAN_PRINTER_DESCRIPTION "command-line settings tool for VARNOK thermal label printers
Finds VARNOK label printers, adds them as CUPS queues with their driver files,
and sets print position, cutter, media sensor and network settings on one
queue or many, or sends a file to them, from a terminal or a script; for
print servers without a desktop. Holds the settings file of the VARNOK
Printer Utility, whose per-model corrections it applies.")

set(CPACK_DEBIAN_ANSIBLE_PACKAGE_NAME varnok-printer-ansible)
set(CPACK_DEBIAN_ANSIBLE_PACKAGE_ARCHITECTURE all)
set(CPACK_DEBIAN_ANSIBLE_PACKAGE_SECTION admin)
set(CPACK_DEBIAN_ANSIBLE_PACKAGE_SHLIBDEPS OFF)
set(CPACK_DEBIAN_ANSIBLE_PACKAGE_DEPENDS "ansible-core (>= 2.14)")
set(CPACK_DEBIAN_ANSIBLE_DESCRIPTION "Ansible collection for VARNOK thermal label printers
The Ansible collection varnok.printer for the controller: modules that make
the CUPS queues of VARNOK label printers on print servers and give them a
site's settings profile, sending each printer only what the print server's
journal does not show it holding, with check mode and diff, and read that
journal. The modules run varnok-printer on the print servers.")

if(VARNOK_BUILD_GUI)
  set(CPACK_COMPONENT_WINDOWS_DEPENDS printer drivers)
  set(CPACK_DEBIAN_WINDOWS_PACKAGE_NAME varnok-utility)
  set(CPACK_DEBIAN_WINDOWS_PACKAGE_SECTION admin)
  # A CJK font shows the Chinese the built-in interface font lacks (queue names, typed values).
  set(CPACK_DEBIAN_WINDOWS_PACKAGE_DEPENDS "fonts-wqy-microhei | fonts-noto-cjk")
  varnok_control_files(varnok-utility preinst postinst)
  set(CPACK_DEBIAN_WINDOWS_PACKAGE_CONTROL_EXTRA ${control_files})
  set(CPACK_DEBIAN_WINDOWS_DESCRIPTION "settings utility for VARNOK thermal label printers
Sets print position, cutter, media sensor and network settings of VARNOK
thermal label printers installed as CUPS queues, and sends files to them.
Chinese and English interface; members of the lpadmin group may switch the
language for every user.")
endif()

# dpkg removes a folder no other package lists once its last package is gone, and nothing lists
# /opt, /etc/opt or /var/opt, which the system made: the packages leave them out of their lists.
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/omit_system_folders.cmake)

include(CPack)
