# Run after a test executable is linked: lists its test suites into OUT, for the CTest entries
# of kv_register_suites: the suites in `kv_suites`, and for each its number of tests (`kv_cost_<suite>`)
# and of tests not disabled (`kv_enabled_<suite>`). Called as
#   cmake -D EXE=... -D NAME=... -D OUT=... -P KvListSuites.cmake
# The listing has no time limit: on a busy machine it is only slower.

set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{ASAN_OPTIONS} "detect_leaks=0")
execute_process(COMMAND ${EXE} --gtest_list_tests
                OUTPUT_VARIABLE listing ERROR_VARIABLE errors RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  file(REMOVE ${OUT})
  message(FATAL_ERROR "${NAME} could not list its tests (exit ${rc}):\n${listing}\n${errors}")
endif()

# Suites start in the first column and end with a dot; their tests follow, indented.
# Typed and parameterised names carry a comment after '#'.
string(REPLACE ";" "\\;" listing "${listing}")
string(REPLACE "\n" ";" lines "${listing}")
set(suites)
foreach(line IN LISTS lines)
  string(REGEX REPLACE "[ ]+#.*" "" line "${line}")
  if(line MATCHES "^([^ ].*)\\.$")
    set(suite "${CMAKE_MATCH_1}")
    list(APPEND suites "${suite}")
    set(count_${suite} 0)
    set(enabled_${suite} 0)
  elseif(line MATCHES "^  ([^ ]+)$" AND DEFINED suite)
    math(EXPR count_${suite} "${count_${suite}} + 1")
    if(NOT CMAKE_MATCH_1 MATCHES "^DISABLED_" AND NOT suite MATCHES "^DISABLED_|/DISABLED_")
      math(EXPR enabled_${suite} "${enabled_${suite}} + 1")
    endif()
  endif()
endforeach()

# The entries themselves are made by the file that includes this one (kv_register_suites).
set(content "# Written by KvListSuites.cmake after ${NAME} was linked.\n")
string(APPEND content "set(kv_suites)\n")
foreach(suite IN LISTS suites)
  string(APPEND content "list(APPEND kv_suites [==[${suite}]==])\n"
    "set([==[kv_cost_${suite}]==] ${count_${suite}})\n"
    "set([==[kv_enabled_${suite}]==] ${enabled_${suite}})\n")
endforeach()
file(WRITE ${OUT} "${content}")
