# Runs PROGRAM with the arguments ARGS (a list) and expects the exit status
# STATUS, and stdout and stderr, each without its last line break, to match
# the regular expressions STDOUT and STDERR. With ONE_LINE set, stderr must be
# exactly one line. With INPUT set, the program reads that file on stdin.
# With OUTPUT set, stdout goes to that file (such as /dev/full) and STDOUT is
# matched against nothing; with CLOSED_STDOUT set, the program runs with its
# stdout closed.
#
#   cmake -DPROGRAM=vurp -DARGS=--version -DSTATUS=0 "-DSTDOUT=^vurp " -DSTDERR=^$ -P command_check.cmake
cmake_minimum_required(VERSION 3.25)

set(input)
if(DEFINED INPUT)
  set(input INPUT_FILE "${INPUT}")
endif()
set(output_to OUTPUT_VARIABLE output)
if(DEFINED OUTPUT)
  set(output_to OUTPUT_FILE "${OUTPUT}")
endif()
set(command "${PROGRAM}" ${ARGS})
if(CLOSED_STDOUT)
  set(command sh -c "exec \"$@\" >&-" sh ${command})
endif()
execute_process(COMMAND ${command} ${input} ${output_to} ERROR_VARIABLE errors
                RESULT_VARIABLE status)
get_filename_component(name "${PROGRAM}" NAME)
if(ONE_LINE AND NOT errors MATCHES "^[^\n]+\n$")
  message(FATAL_ERROR "${name} ${ARGS}: stderr is not one line: [${errors}]")
endif()
string(REGEX REPLACE "\n$" "" output "${output}")
string(REGEX REPLACE "\n$" "" errors "${errors}")
if(NOT status STREQUAL "${STATUS}")
  message(FATAL_ERROR "${name} ${ARGS}: status ${status}, expected ${STATUS}; stderr: ${errors}")
endif()
if(NOT output MATCHES "${STDOUT}")
  message(FATAL_ERROR "${name} ${ARGS}: stdout [${output}] does not match ${STDOUT}")
endif()
if(NOT errors MATCHES "${STDERR}")
  message(FATAL_ERROR "${name} ${ARGS}: stderr [${errors}] does not match ${STDERR}")
endif()
