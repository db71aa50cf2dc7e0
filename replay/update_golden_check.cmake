# update_golden.sh in a folder of its own: a run of the driver that fails, at
# once or after printing some lines, leaves the old golden file as it was and
# no temporary file, exits 1 and says so in its last line; a run that succeeds
# replaces the golden file with the driver's whole output; with --events, the
# events file with the driver's --events output, the golden file untouched.
#
#   cmake -DUPDATE=update_golden.sh -DDRIVER=vurp-replay -DFOLDER=dir -P update_golden_check.cmake
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${FOLDER}")
file(MAKE_DIRECTORY "${FOLDER}")
set(old "{\"old\":true}\n")

# Runs the update of NAME with DRIVER_USED and checks the outcome.
function(update name driver_used expected_status)
  file(WRITE "${FOLDER}/${name}.jsonl" "${old}")
  execute_process(COMMAND ${CMAKE_COMMAND} -E env VURP_GOLDEN=${FOLDER} VURP_REPLAY=${driver_used}
                          sh "${UPDATE}" ${name}
                  OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
  file(READ "${FOLDER}/${name}.jsonl" golden)
  file(GLOB left "${FOLDER}/.*")
  if(NOT status EQUAL expected_status)
    message(FATAL_ERROR "${name}: status ${status}, expected ${expected_status}: ${errors}")
  endif()
  if(left)
    message(FATAL_ERROR "${name}: left behind ${left}")
  endif()
  if(expected_status EQUAL 0)
    execute_process(COMMAND "${DRIVER}" "${FOLDER}/${name}.script" OUTPUT_VARIABLE whole)
    if(NOT golden STREQUAL whole OR whole STREQUAL "")
      message(FATAL_ERROR "${name}: the golden file is [${golden}], not the driver's output")
    endif()
  elseif(NOT golden STREQUAL old OR NOT errors MATCHES "the driver ended with status [1-9][0-9]* on [^\n]+ is unchanged\n$")
    message(FATAL_ERROR "${name}: golden [${golden}], stderr [${errors}]")
  endif()
endfunction()

file(WRITE "${FOLDER}/good.script" "dump\nclick Razd\ndump\n")
file(WRITE "${FOLDER}/bad_line.script" "dump\nclick Razd\ndump\nbogus\n")
update(good "${DRIVER}" 0)
update(bad_line "${DRIVER}" 1)
find_program(FALSE_PROGRAM false REQUIRED)
update(good "${FALSE_PROGRAM}" 1)

file(READ "${FOLDER}/good.jsonl" before)
execute_process(COMMAND ${CMAKE_COMMAND} -E env VURP_GOLDEN=${FOLDER} VURP_REPLAY=${DRIVER}
                        sh "${UPDATE}" --events good RESULT_VARIABLE status)
execute_process(COMMAND "${DRIVER}" --events "${FOLDER}/good.script" OUTPUT_VARIABLE whole)
file(READ "${FOLDER}/good.events.jsonl" events)
file(READ "${FOLDER}/good.jsonl" golden)
if(NOT status EQUAL 0 OR NOT events STREQUAL whole OR NOT whole MATCHES "\"event\""
   OR NOT golden STREQUAL before)
  message(FATAL_ERROR "--events: status ${status}, events file [${events}], golden [${golden}]")
endif()
