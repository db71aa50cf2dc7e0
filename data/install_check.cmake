# Installs the build in BUILD_DIR under the empty folder PREFIX and expects
# exactly the files EXPECTED (a list of paths relative to PREFIX) there.
#
#   cmake -DBUILD_DIR=build -DPREFIX=/tmp/p "-DEXPECTED=bin/vurp;..." -P install_check.cmake
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                OUTPUT_QUIET ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status STREQUAL "0")
  message(FATAL_ERROR "cmake --install failed (${status}): ${errors}")
endif()
file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE "${PREFIX}" "${PREFIX}/*")
list(SORT installed)
set(expected ${EXPECTED})
list(SORT expected)
if(NOT installed STREQUAL expected)
  set(missing ${expected})
  list(REMOVE_ITEM missing ${installed})
  set(extra ${installed})
  list(REMOVE_ITEM extra ${expected})
  message(FATAL_ERROR "installed files differ; missing: [${missing}] unexpected: [${extra}]")
endif()
file(REMOVE_RECURSE "${PREFIX}")
