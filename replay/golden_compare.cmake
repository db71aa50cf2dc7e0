# Replays SCRIPT with DRIVER and compares its output with EXPECTED line by
# line, each line as parsed JSON: the order of keys is free, and the texts of
# the two panels (TextPravila and TextGame) are left out, because every
# snapshot carries them whole and the panel test checks them on its own; all
# else must be equal. On a difference it names the line and the first value
# that differs, with both sides. With OPTIONS=--events the driver prints the
# events too and EXPECTED is the script's events file.
#
#   cmake -DDRIVER=vurp-replay -DSCRIPT=x.script -DEXPECTED=x.jsonl -P golden_compare.cmake
#   cmake -DDRIVER=vurp-replay -DOPTIONS=--events -DSCRIPT=x.script -DEXPECTED=x.events.jsonl -P ...
cmake_minimum_required(VERSION 3.25)

foreach(variable DRIVER SCRIPT EXPECTED)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "golden_compare: -D${variable}=... is missing")
  endif()
endforeach()
get_filename_component(name "${SCRIPT}" NAME_WLE)
set(update "replay/update_golden.sh ${name}")
if(DEFINED OPTIONS AND NOT OPTIONS STREQUAL "")
  set(update "replay/update_golden.sh ${OPTIONS} ${name}")
endif()
if(NOT EXISTS "${EXPECTED}")
  message(FATAL_ERROR "${EXPECTED} does not exist. Check the driver's output by eye, then "
                      "run ${update}")
endif()

execute_process(COMMAND "${DRIVER}" ${OPTIONS} "${SCRIPT}"
                OUTPUT_VARIABLE actual ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "vurp-replay ${SCRIPT} ended with status ${status}: ${errors}")
endif()
file(READ "${EXPECTED}" expected)
# A checkout with Windows line ends must still compare equal.
string(REPLACE "\r\n" "\n" expected "${expected}")
string(REPLACE "\r\n" "\n" actual "${actual}")

set(hint "If the new output is right, run ${update}")

# Takes the first line off `text` into `line`; `text` keeps the rest. The
# text is never split into a CMake list: JSON holds semicolons.
function(take_line text_var line_var)
  string(FIND "${${text_var}}" "\n" end)
  if(end EQUAL -1)
    set(${line_var} "${${text_var}}" PARENT_SCOPE)
    set(${text_var} "" PARENT_SCOPE)
  else()
    string(SUBSTRING "${${text_var}}" 0 ${end} line)
    math(EXPR rest_start "${end} + 1")
    string(SUBSTRING "${${text_var}}" ${rest_start} -1 rest)
    set(${line_var} "${line}" PARENT_SCOPE)
    set(${text_var} "${rest}" PARENT_SCOPE)
  endif()
endfunction()

# The line as JSON with the panels' texts blanked; a line that is not JSON
# fails the test, naming `side`.
function(masked_line line number side result_var)
  string(JSON type ERROR_VARIABLE problem TYPE "${line}")
  if(problem)
    message(FATAL_ERROR "${name}: line ${number} of the ${side} is not JSON: ${problem}")
  endif()
  foreach(panel TextPravila TextGame)
    string(JSON text ERROR_VARIABLE missing GET "${line}" controls ${panel} text)
    if(NOT missing)
      string(JSON line SET "${line}" controls ${panel} text "\"\"")
    endif()
  endforeach()
  set(${result_var} "${line}" PARENT_SCOPE)
endfunction()

# A value as a message shows it: JSON text, a string in quotes, cut short.
function(shown json path result_var)
  string(JSON type ERROR_VARIABLE missing TYPE "${json}" ${path})
  if(missing)
    set(${result_var} "(nothing)" PARENT_SCOPE)
    return()
  endif()
  string(JSON value GET "${json}" ${path})
  if(type STREQUAL "STRING")
    set(value "\"${value}\"")
  elseif(type STREQUAL "BOOLEAN")
    if(value)
      set(value "true")
    else()
      set(value "false")
    endif()
  elseif(type STREQUAL "NULL")
    set(value "null")
  endif()
  string(LENGTH "${value}" length)
  if(length GREATER 200)
    string(SUBSTRING "${value}" 0 200 value)
    set(value "${value}...")
  endif()
  set(${result_var} "${value}" PARENT_SCOPE)
endfunction()

# Whether the values at `path` of two JSON texts are equal. Objects and arrays
# are compared as JSON; string(JSON GET) gives other values as plain text.
function(same_value expected actual path result_var)
  string(JSON expected_type TYPE "${expected}" ${path})
  string(JSON actual_type ERROR_VARIABLE missing TYPE "${actual}" ${path})
  set(same FALSE)
  if(NOT missing AND expected_type STREQUAL actual_type)
    string(JSON expected_value GET "${expected}" ${path})
    string(JSON actual_value GET "${actual}" ${path})
    if(expected_type STREQUAL "OBJECT" OR expected_type STREQUAL "ARRAY")
      string(JSON same EQUAL "${expected_value}" "${actual_value}")
    elseif(expected_value STREQUAL actual_value)
      set(same TRUE)
    endif()
  endif()
  set(${result_var} ${same} PARENT_SCOPE)
endfunction()

# The path (a list of keys, as string(JSON) takes them) of the first
# value that differs between two unequal JSON texts, below `path`: the first
# member of `expected` that the actual side lacks or holds otherwise, or a key
# only the actual side has; the value at `path` itself when the two are not
# both objects.
function(first_difference expected actual path result_var)
  string(JSON expected_type TYPE "${expected}" ${path})
  string(JSON actual_type ERROR_VARIABLE missing TYPE "${actual}" ${path})
  if(missing OR NOT expected_type STREQUAL "OBJECT" OR NOT actual_type STREQUAL "OBJECT")
    set(${result_var} "${path}" PARENT_SCOPE)
    return()
  endif()
  string(JSON count LENGTH "${expected}" ${path})
  if(count GREATER 0)
    math(EXPR last "${count} - 1")
    foreach(i RANGE ${last})
      string(JSON key MEMBER "${expected}" ${path} ${i})
      set(below ${path} ${key})
      same_value("${expected}" "${actual}" "${below}" same)
      if(NOT same)
        first_difference("${expected}" "${actual}" "${below}" inner)
        set(${result_var} "${inner}" PARENT_SCOPE)
        return()
      endif()
    endforeach()
  endif()
  string(JSON count LENGTH "${actual}" ${path})
  if(count GREATER 0)
    math(EXPR last "${count} - 1")
    foreach(i RANGE ${last})
      string(JSON key MEMBER "${actual}" ${path} ${i})
      string(JSON ignored ERROR_VARIABLE missing GET "${expected}" ${path} ${key})
      if(missing)
        set(below ${path} ${key})
        set(${result_var} "${below}" PARENT_SCOPE)
        return()
      endif()
    endforeach()
  endif()
  set(${result_var} "${path}" PARENT_SCOPE)
endfunction()

set(number 0)
while(NOT (expected STREQUAL "" AND actual STREQUAL ""))
  math(EXPR number "${number} + 1")
  if(actual STREQUAL "")
    message(FATAL_ERROR "${name}: the output ends before line ${number} of ${EXPECTED}\n${hint}")
  endif()
  if(expected STREQUAL "")
    message(FATAL_ERROR "${name}: the output goes on after the last line of ${EXPECTED}: "
                        "line ${number} is extra\n${hint}")
  endif()
  take_line(expected expected_line)
  take_line(actual actual_line)
  masked_line("${expected_line}" ${number} "expected file" expected_line)
  masked_line("${actual_line}" ${number} "output" actual_line)
  string(JSON same EQUAL "${expected_line}" "${actual_line}")
  if(NOT same)
    first_difference("${expected_line}" "${actual_line}" "" path)
    shown("${expected_line}" "${path}" expected_part)
    shown("${actual_line}" "${path}" actual_part)
    string(REPLACE ";" "." where "${path}")
    if(where STREQUAL "")
      set(where "the whole line")
    endif()
    # Indented lines keep their spaces in the message.
    message(FATAL_ERROR "${name}: line ${number} differs in ${where}\n"
                        "  expected: ${expected_part}\n"
                        "  actual:   ${actual_part}\n"
                        "${hint}")
  endif()
endwhile()
