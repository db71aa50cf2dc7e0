# Runs DRIVER with the arguments ARGS (a list) and expects what a bad
# invocation must give: exit status 2, nothing on stdout, and exactly one line
# on stderr matching the regular expression MESSAGE.
#
#   cmake -DDRIVER=vurp-replay "-DARGS=a;b" -DMESSAGE=usage -P cli_check.cmake
cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND "${DRIVER}" ${ARGS}
                OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status STREQUAL "2")
  message(FATAL_ERROR "vurp-replay ${ARGS}: status ${status}, expected 2; stderr: ${errors}")
endif()
if(NOT output STREQUAL "")
  message(FATAL_ERROR "vurp-replay ${ARGS}: unexpected output: ${output}")
endif()
if(NOT errors MATCHES "^[^\n]+\n$")
  message(FATAL_ERROR "vurp-replay ${ARGS}: stderr is not one line: [${errors}]")
endif()
if(NOT errors MATCHES "${MESSAGE}")
  message(FATAL_ERROR "vurp-replay ${ARGS}: stderr [${errors}] does not match ${MESSAGE}")
endif()
