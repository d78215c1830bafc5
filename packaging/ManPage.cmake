# cmake -DHELP2MAN=... -DPROGRAM=... -DNAME=... -DWITH_COMMANDS=ON|OFF -DOUT=page.1 -P ManPage.cmake
# Writes OUT.gz: help2man's page of PROGRAM's --help and --version; WITH_COMMANDS
# adds a COMMANDS section holding each command's own --help.
set(include_option "")
if(WITH_COMMANDS)
  execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE top RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} --help failed (${status})")
  endif()
  # The command list: "  NAME  summary" lines after "Commands:".
  string(REGEX REPLACE ".*\nCommands:\n" "" listed "${top}")
  string(REGEX REPLACE "\n\n.*" "" listed "${listed}")
  string(REPLACE "\n" ";" lines "${listed}")
  set(section "[COMMANDS]\n")
  foreach(line IN LISTS lines)
    string(REGEX MATCH "^  ([a-z-]+) " found "${line}")
    if(NOT found)
      continue()
    endif()
    set(command ${CMAKE_MATCH_1})
    execute_process(COMMAND ${PROGRAM} ${command} --help OUTPUT_VARIABLE usage
                    RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "${PROGRAM} ${command} --help failed (${status})")
    endif()
    # roff: backslashes doubled, a leading dot or quote would be read as a request.
    string(REPLACE "\\" "\\\\" usage "${usage}")
    string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" usage "${usage}")
    string(APPEND section ".SS ${command}\n.nf\n${usage}.fi\n")
  endforeach()
  file(WRITE ${OUT}.h2m "${section}")
  set(include_option --include=${OUT}.h2m)
endif()
execute_process(COMMAND ${HELP2MAN} --no-info --no-discard-stderr --name=${NAME}
                        ${include_option} --output=${OUT} ${PROGRAM}
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "help2man failed on ${PROGRAM} (${status})")
endif()
execute_process(COMMAND gzip -n -9 -f ${OUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "gzip failed on ${OUT} (${status})")
endif()
