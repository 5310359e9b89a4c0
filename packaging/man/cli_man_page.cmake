# Writes varnok-printer's manual page from its own --help: help2man takes the overview, and
# each command's --help becomes a part of the COMMANDS section, so the page never says other
# than the program. Variables: PROGRAM, HELP2MAN, STATIC (the hand-written sections), WORK,
# OUTPUT.
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE overview COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCH "Subcommands:\n(.*)\n\nExit" commands_block "${overview}")
string(REGEX MATCHALL "\n  ([a-z]+) " command_lines "\n${CMAKE_MATCH_1}")
set(include "[COMMANDS]\n")
foreach(line ${command_lines})
  string(STRIP "${line}" command)
  execute_process(COMMAND ${PROGRAM} ${command} --help OUTPUT_VARIABLE help
    COMMAND_ERROR_IS_FATAL ANY)
  # roff: a backslash is \e, and a line may not begin with a dot or a quote.
  string(REPLACE "\\" "\\e" help "${help}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
  string(APPEND include ".SS ${command}\n.nf\n${help}.fi\n")
endforeach()
file(READ ${STATIC} static)
file(WRITE ${WORK}/varnok-printer.h2m "${include}\n${static}")
execute_process(
  COMMAND ${HELP2MAN} --no-info --no-discard-stderr
    "--name=find, add and configure VARNOK label printers"
    --include=${WORK}/varnok-printer.h2m --output=${OUTPUT} ${PROGRAM}
  COMMAND_ERROR_IS_FATAL ANY)
