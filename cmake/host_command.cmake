# varnok_host_command(TARGET RESULT): how this machine runs a program built here, for tools that
# take one program path (help2man, tests that start the program). The program itself; in a cross
# build, a script that starts it through the emulator.
function(varnok_host_command target result)
  if(NOT CMAKE_CROSSCOMPILING OR NOT CMAKE_CROSSCOMPILING_EMULATOR)
    set(${result} $<TARGET_FILE:${target}> PARENT_SCOPE)
    return()
  endif()
  set(words)
  foreach(word IN LISTS CMAKE_CROSSCOMPILING_EMULATOR)
    string(APPEND words "'${word}' ")
  endforeach()
  set(script ${CMAKE_BINARY_DIR}/emulated/${target})
  file(GENERATE OUTPUT ${script}
    CONTENT "#!/bin/sh\nexec ${words}'$<TARGET_FILE:${target}>' \"$@\"\n"
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
                     WORLD_EXECUTE)
  set(${result} ${script} PARENT_SCOPE)
endfunction()
