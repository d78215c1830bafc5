# Runs PROGRAM on a file that does not exist and fails unless the exit status is 2
# and the message names the file.
execute_process(COMMAND ${PROGRAM} analyze no-such-file.frg
                RESULT_VARIABLE status ERROR_VARIABLE message OUTPUT_VARIABLE output)
if(NOT status EQUAL 2)
  message(FATAL_ERROR "expected exit status 2, got ${status}: ${message}")
endif()
if(NOT message MATCHES "no-such-file.frg")
  message(FATAL_ERROR "message does not name the file: ${message}")
endif()
if(NOT output STREQUAL "")
  message(FATAL_ERROR "nothing should go to stdout: ${output}")
endif()
