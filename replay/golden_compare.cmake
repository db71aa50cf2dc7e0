# Replays SCRIPT with DRIVER and compares its output with EXPECTED as text.
# On a difference it names the first differing line, the snapshot object it
# falls in and the text around it on both sides.
#
#   cmake -DDRIVER=vurp-replay -DSCRIPT=x.script -DEXPECTED=x.jsonl -P golden_compare.cmake
cmake_minimum_required(VERSION 3.25)

foreach(variable DRIVER SCRIPT EXPECTED)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "golden_compare: -D${variable}=... is missing")
  endif()
endforeach()
get_filename_component(name "${SCRIPT}" NAME_WLE)
if(NOT EXISTS "${EXPECTED}")
  message(FATAL_ERROR "${EXPECTED} does not exist. Check the driver's output by eye, then "
                      "run replay/update_golden.sh ${name}")
endif()

execute_process(COMMAND "${DRIVER}" "${SCRIPT}"
                OUTPUT_VARIABLE actual ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "vurp-replay ${SCRIPT} ended with status ${status}: ${errors}")
endif()
file(READ "${EXPECTED}" expected)
# A checkout with Windows line ends must still compare equal.
string(REPLACE "\r\n" "\n" expected "${expected}")
string(REPLACE "\r\n" "\n" actual "${actual}")
if(actual STREQUAL expected)
  return()
endif()

# Takes the first line off `text` into `line`; `text` keeps the rest.
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

# Length of the longest common prefix of two strings, by halving.
function(common_prefix a b result_var)
  string(LENGTH "${a}" length_a)
  string(LENGTH "${b}" length_b)
  set(low 0)
  if(length_a LESS length_b)
    set(high ${length_a})
  else()
    set(high ${length_b})
  endif()
  while(low LESS high)
    math(EXPR middle "(${low} + ${high} + 1) / 2")
    string(SUBSTRING "${a}" 0 ${middle} prefix_a)
    string(SUBSTRING "${b}" 0 ${middle} prefix_b)
    if(prefix_a STREQUAL prefix_b)
      set(low ${middle})
    else()
      math(EXPR high "${middle} - 1")
    endif()
  endwhile()
  set(${result_var} ${low} PARENT_SCOPE)
endfunction()

# The text of `line` around byte `at`.
function(excerpt line at result_var)
  set(start 0)
  if(at GREATER 80)
    math(EXPR start "${at} - 80")
  endif()
  string(SUBSTRING "${line}" ${start} 200 part)
  set(${result_var} "...${part}..." PARENT_SCOPE)
endfunction()

# The key of the innermost object opened before byte `at`: a control such as
# "Money(1)", or "state".
function(enclosing_key line at result_var)
  string(SUBSTRING "${line}" 0 ${at} before)
  string(FIND "${before}" "\":{" open REVERSE)
  set(key "the start of the line")
  if(open GREATER -1)
    string(SUBSTRING "${before}" 0 ${open} head)
    string(FIND "${head}" "\"" quote REVERSE)
    math(EXPR key_start "${quote} + 1")
    string(SUBSTRING "${head}" ${key_start} -1 key)
  endif()
  set(${result_var} "${key}" PARENT_SCOPE)
endfunction()

set(number 0)
while(TRUE)
  math(EXPR number "${number} + 1")
  if(expected STREQUAL "" OR actual STREQUAL "")
    break()
  endif()
  take_line(expected expected_line)
  take_line(actual actual_line)
  if(NOT expected_line STREQUAL actual_line)
    common_prefix("${expected_line}" "${actual_line}" at)
    enclosing_key("${expected_line}" ${at} key)
    excerpt("${expected_line}" ${at} expected_part)
    excerpt("${actual_line}" ${at} actual_part)
    message(FATAL_ERROR "${name}: line ${number} differs from byte ${at}, in ${key}\n"
                        "expected: ${expected_part}\n"
                        "actual:   ${actual_part}\n"
                        "If the new output is right, run replay/update_golden.sh ${name}")
  endif()
endwhile()
if(actual STREQUAL "")
  message(FATAL_ERROR "${name}: the output ends before line ${number} of ${EXPECTED}")
endif()
message(FATAL_ERROR "${name}: the output goes on after the last line of ${EXPECTED}: "
                    "line ${number} is extra")
