# Cuts the interface font (run with cmake -P): the glyphs of every character beyond ASCII that
# the given texts hold, taken from a CJK font and renamed, so that the system never mistakes
# the small cut for the whole font.
#
# Variables: SOURCE_FONT, FONT_NUMBER (within a .ttc), TEXTS (a |-separated list of files),
# FAMILY, PYFTSUBSET, TTX, WORK_DIR, OUTPUT.

file(MAKE_DIRECTORY ${WORK_DIR})
set(characters ${WORK_DIR}/characters.txt)
file(WRITE ${characters} "")
string(REPLACE "|" ";" texts "${TEXTS}")
foreach(text IN LISTS texts)
  file(READ ${text} content)
  # UTF-8 sequences are bytes 0x80 and above, so dropping the ASCII bytes keeps them whole.
  string(REGEX REPLACE "[\t\n\r -~]+" "" content "${content}")
  file(APPEND ${characters} "${content}")
endforeach()

# English names only: the font's Chinese name must not name the cut as well.
execute_process(
  COMMAND ${PYFTSUBSET} ${SOURCE_FONT} --font-number=${FONT_NUMBER} --text-file=${characters}
          --layout-features=* --name-languages=0x0409 --drop-tables+=FFTM
          --output-file=${WORK_DIR}/cut.ttf
  COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${TTX} -q -t name -o ${WORK_DIR}/name.ttx -f ${WORK_DIR}/cut.ttf
                COMMAND_ERROR_IS_FATAL ANY)

file(READ ${WORK_DIR}/name.ttx names)
string(REGEX MATCH "<namerecord nameID=\"1\" platformID=\"3\"[^>]*>[ \n]*([^<\n]+)" _ "${names}")
set(old_family "${CMAKE_MATCH_1}")
if(old_family STREQUAL "")
  message(FATAL_ERROR "${SOURCE_FONT} has no English family name")
endif()
string(REPLACE " " "" old_postscript "${old_family}")
string(REPLACE " " "" new_postscript "${FAMILY}")
string(REPLACE "${old_family}" "${FAMILY}" names "${names}")
string(REPLACE "${old_postscript}" "${new_postscript}" names "${names}")
file(WRITE ${WORK_DIR}/name.ttx "${names}")

execute_process(COMMAND ${TTX} -q -m ${WORK_DIR}/cut.ttf -o ${OUTPUT} -f ${WORK_DIR}/name.ttx
                COMMAND_ERROR_IS_FATAL ANY)
