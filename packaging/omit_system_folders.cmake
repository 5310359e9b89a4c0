# Run by CPack on the packages it built (CPACK_PACKAGE_FILES). dpkg removes a folder with the
# last package that lists it, and no package lists /opt, /etc/opt and /var/opt: the system made
# them. So their entries leave each package's data; dpkg unpacks below folders that exist without
# needing their entries, and never counts these as the package's.
set(system_folders ./opt/ ./etc/opt/ ./var/opt/)

function(run)
  execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${work} COMMAND_ERROR_IS_FATAL ANY)
endfunction()

foreach(deb IN LISTS CPACK_PACKAGE_FILES)
  set(work ${deb}.data)
  file(REMOVE_RECURSE ${work})
  file(MAKE_DIRECTORY ${work}/files)
  run(ar x ${deb} data.tar.xz)
  execute_process(COMMAND tar --list --file data.tar.xz WORKING_DIRECTORY ${work}
    OUTPUT_VARIABLE entries COMMAND_ERROR_IS_FATAL ANY)
  string(REPLACE "\n" ";" entries "${entries}")
  list(REMOVE_ITEM entries "" ${system_folders})
  # Made again from its files, in the same order, without those entries; every file is root's.
  run(tar --extract --preserve-permissions --file data.tar.xz --directory files)
  run(tar --create --xz --file data.tar.xz --format=gnu --owner=0 --group=0 --numeric-owner
    --no-recursion --directory files ${entries})
  # Replaced in place: dpkg wants the members in their order.
  run(ar r ${deb} data.tar.xz)
  file(REMOVE_RECURSE ${work})
endforeach()
