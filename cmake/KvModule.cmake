# Helpers that turn a folder into a library or a test executable.
# Sources are globbed so that adding a file needs no edit here.
#
# What keeps the dev build cheap (it is compiled with the sanitizers, where every
# translation unit costs seconds of parsing before its own code starts):
# - unity batches (CMAKE_UNITY_BUILD, set by the presets): a folder's sources are compiled a
#   few at a time, so the project's own large headers are parsed once per batch, not per file
#   (see _kv_unity_groups for how the batches are chosen);
# - one precompiled header for all libraries and one for all tests, built once and reused
#   (loading one costs about as much as compiling a small file, building one far more);
# - lld when it is installed: the test executables are large, and the default linker spends
#   most of its time in the kernel on them;
# - test programs linked as fixed-position executables (-no-pie; their code stays -fPIC, as
#   Qt asks): a sanitized test executable carries two million relative relocations, and the
#   loader spent a third of every test process's start applying them.

set(KV_SRC_ROOT ${CMAKE_SOURCE_DIR}/src)
set(KV_CMAKE_DIR ${CMAKE_CURRENT_LIST_DIR})

function(_kv_collect out norecurse)
  set(files)
  foreach(d IN LISTS ARGN)
    if(norecurse)
      file(GLOB f CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${d}/*.cpp)
    else()
      file(GLOB_RECURSE f CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${d}/*.cpp)
    endif()
    list(APPEND files ${f})
  endforeach()
  set(${out} ${files} PARENT_SCOPE)
endfunction()

function(_kv_collect_headers out norecurse)
  set(files)
  foreach(d IN LISTS ARGN)
    if(norecurse)
      file(GLOB f CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${d}/*.h)
    else()
      file(GLOB_RECURSE f CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${d}/*.h)
    endif()
    list(APPEND files ${f})
  endforeach()
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# Unity batches by a hash of each file's path rather than by position in the folder: adding a
# file then puts it into one batch and leaves the others as they were, so names private to
# two old files never meet because a third was added. The number of batches is a power of
# two (about CMAKE_UNITY_BUILD_BATCH_SIZE files each); when it doubles, each batch splits in
# two and still no two files meet that were apart. A file whose private names clash with a
# batch neighbour's is compiled alone: it is listed in KV_UNITY_ALONE (CMakeLists.txt).
function(_kv_unity_groups target)
  set(size ${CMAKE_UNITY_BUILD_BATCH_SIZE})
  if(NOT size)
    set(size 8)
  endif()
  set(cpp)
  foreach(src IN LISTS ARGN)
    if(src MATCHES "\\.cpp$")
      list(APPEND cpp ${src})
    endif()
  endforeach()
  list(LENGTH cpp n)
  set(groups 1)
  set(room ${size})
  while(room LESS n)
    math(EXPR groups "${groups} * 2")
    math(EXPR room "${groups} * ${size}")
  endwhile()
  foreach(src IN LISTS cpp)
    file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR} ${src})
    if(rel IN_LIST KV_UNITY_ALONE)
      continue()
    endif()
    string(MD5 h "${rel}")
    string(SUBSTRING "${h}" 0 6 h)
    math(EXPR g "0x${h} % ${groups}")
    set_source_files_properties(${src} PROPERTIES UNITY_GROUP ${target}_${g})
  endforeach()
  set_target_properties(${target} PROPERTIES UNITY_BUILD_MODE GROUP)
endfunction()

set(KV_QT_PCH
  <QtCore/QString>
  <QtCore/QStringList>
  <QtCore/QList>
  <QtCore/QObject>
  <QtGui/QPainter>
  <QtGui/QColor>
  <QtGui/QFont>
  <QtGui/QImage>
  <QtWidgets/QWidget>
  <vector>
  <string>
  <functional>
  <memory>)

# The targets that build the two shared precompiled headers. Their flags must match those of
# the targets reusing them, so they link what those link: Qt (and, for tests, GoogleTest).
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/kv_pch_host.cpp CONTENT "// Carries a shared precompiled header.\n")
add_library(kv_pch_qt OBJECT ${CMAKE_BINARY_DIR}/kv_pch_host.cpp)
target_link_libraries(kv_pch_qt PRIVATE Qt6::Core Qt6::Network Qt6::Gui Qt6::Widgets Qt6::PrintSupport)
target_precompile_headers(kv_pch_qt PRIVATE ${KV_QT_PCH})

# kv_add_library(name DIRS d1 d2 ... [NORECURSE] DEPS t1 t2 ... [PCH_QT])
function(kv_add_library name)
  cmake_parse_arguments(A "NORECURSE" "" "DIRS;DEPS" ${ARGN})
  set(pch OFF)
  list(FIND A_DEPS PCH_QT idx)
  if(idx GREATER -1)
    list(REMOVE_ITEM A_DEPS PCH_QT)
    set(pch ON)
  endif()
  _kv_collect(srcs ${A_NORECURSE} ${A_DIRS})
  if(srcs)
    _kv_collect_headers(hdrs ${A_NORECURSE} ${A_DIRS})
    add_library(${name} STATIC ${srcs} ${hdrs})
    _kv_unity_groups(${name} ${srcs})
    target_include_directories(${name} PUBLIC ${KV_SRC_ROOT})
    target_link_libraries(${name} PUBLIC ${A_DEPS})
    if(pch)
      target_precompile_headers(${name} REUSE_FROM kv_pch_qt)
    endif()
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${KV_SRC_ROOT})
    target_link_libraries(${name} INTERFACE ${A_DEPS})
  endif()
endfunction()

# Tests are registered with CTest one entry per test suite (`exe --gtest_filter=Suite.*`):
# each test executable starts Qt under the sanitizers, which costs about a second, so one
# process per test would spend more time starting than testing. The suites are listed
# right after the executable is linked (see KvListSuites.cmake), never while CTest runs, so
# a slow or busy machine cannot make the listing time out, and an executable that cannot
# list its tests fails the build under its own name.
set(KV_TEST_TIMEOUT 900 CACHE STRING "Seconds one test suite may run before CTest stops it")

# kv_register_suites(target [PREFIX p] [PROPERTIES key value...]): registers the GoogleTest
# executable `target` that way, its entries named `<PREFIX><Suite>` (PREFIX defaults to
# `target:`). PROPERTIES are CTest properties for every entry; without ENVIRONMENT the
# entries run with QT_QPA_PLATFORM=offscreen. Every GoogleTest executable is registered
# through here, so a test added to any of them later is registered the same way.
function(kv_register_suites name)
  cmake_parse_arguments(A "" "PREFIX" "PROPERTIES" ${ARGN})
  if(NOT DEFINED A_PREFIX)
    set(A_PREFIX "${name}:")
  endif()
  set(props TIMEOUT ${KV_TEST_TIMEOUT} LABELS ${name} ${A_PROPERTIES})
  if(NOT "ENVIRONMENT" IN_LIST A_PROPERTIES)
    list(PREPEND props ENVIRONMENT QT_QPA_PLATFORM=offscreen)
  endif()
  set(list_file ${CMAKE_CURRENT_BINARY_DIR}/${name}_suites.cmake)
  add_custom_command(TARGET ${name} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -D EXE=$<TARGET_FILE:${name}> -D NAME=${name} -D OUT=${list_file}
            -P ${KV_CMAKE_DIR}/KvListSuites.cmake
    BYPRODUCTS ${list_file}
    VERBATIM)
  # CTest reads the list when it starts; an executable not built yet shows as one failing entry.
  set(quoted)
  foreach(p IN LISTS props)
    string(APPEND quoted " [==[${p}]==]")
  endforeach()
  set(include_file ${CMAKE_CURRENT_BINARY_DIR}/${name}_include.cmake)
  file(WRITE ${include_file}.in
"if(EXISTS [==[${list_file}]==])
  include([==[${list_file}]==])
  foreach(suite IN LISTS kv_suites)
    set(test \"${A_PREFIX}\${suite}\")
    add_test(\${test} [==[$<TARGET_FILE:${name}>]==] --gtest_filter=\${suite}.*)
    set_tests_properties(\${test} PROPERTIES${quoted} COST \${kv_cost_\${suite}})
    if(NOT kv_enabled_\${suite})
      set_tests_properties(\${test} PROPERTIES DISABLED TRUE)
    endif()
  endforeach()
else()
  add_test([==[${name}_NOT_BUILT]==] [==[${name}_NOT_BUILT]==])
endif()
")
  file(GENERATE OUTPUT ${include_file} INPUT ${include_file}.in)
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${include_file})
endfunction()

# kv_add_test(name DIRS d [NORECURSE] DEPS t...): one GoogleTest executable per folder.
function(kv_add_test name)
  cmake_parse_arguments(A "NORECURSE" "" "DIRS;DEPS" ${ARGN})
  _kv_collect(srcs ${A_NORECURSE} ${A_DIRS})
  if(NOT srcs)
    return()
  endif()
  if(NOT TARGET kv_pch_test)
    add_library(kv_pch_test OBJECT ${CMAKE_BINARY_DIR}/kv_pch_host.cpp)
    target_link_libraries(kv_pch_test PRIVATE GTest::gtest Qt6::Core Qt6::Network Qt6::Gui Qt6::Widgets
                                              Qt6::PrintSupport Qt6::Test)
    target_precompile_headers(kv_pch_test PRIVATE <gtest/gtest.h> ${KV_QT_PCH})
  endif()
  add_executable(${name} ${srcs})
  _kv_unity_groups(${name} ${srcs})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests ${KV_SRC_ROOT})
  target_link_libraries(${name} PRIVATE ${A_DEPS} kv_test_support GTest::gtest GTest::gmock Qt6::Test)
  target_compile_definitions(${name} PRIVATE
    KV_FIXTURES_DIR="${CMAKE_SOURCE_DIR}/tests/fixtures"
    KV_SHARED_TESTDATA_DIR="${CMAKE_SOURCE_DIR}/../shared/testdata"
    KV_TEST_BINARY_DIR="${CMAKE_CURRENT_BINARY_DIR}")
  target_precompile_headers(${name} REUSE_FROM kv_pch_test)
  target_link_options(${name} PRIVATE -no-pie)

  kv_register_suites(${name})
endfunction()

# kv_add_e2e_test(name DIRS d... DEPS t...): the real-window tests under DIRS (tests/e2e;
# the harness folder below it is their library). Every test runs in a process of its own
# whose main starts an X server of its own, on Qt's xcb platform; input reaches the
# program through the X test extension. A machine without Xvfb skips them.
function(kv_add_e2e_test name)
  cmake_parse_arguments(A "" "" "DIRS;DEPS" ${ARGN})
  if(NOT TARGET kv_e2e_harness)
    pkg_check_modules(KV_X11_TEST REQUIRED IMPORTED_TARGET GLOBAL x11 xtst xcb)
    _kv_collect(harness FALSE tests/e2e/harness)
    add_library(kv_e2e_harness STATIC ${harness})
    # The X headers' names (Time, Screen) clash with the platform's: these files stay apart.
    set_target_properties(kv_e2e_harness PROPERTIES UNITY_BUILD OFF)
    target_include_directories(kv_e2e_harness PUBLIC ${CMAKE_SOURCE_DIR}/tests/e2e/harness
                               ${CMAKE_SOURCE_DIR}/tests ${KV_SRC_ROOT})
    target_link_libraries(kv_e2e_harness PUBLIC kv_shell GTest::gtest PkgConfig::KV_X11_TEST)
    target_compile_definitions(kv_e2e_harness PRIVATE
      KV_E2E_PNG_DIR="${CMAKE_BINARY_DIR}/e2e_png"
      KV_PROGRAM_RESOURCES="${CMAKE_SOURCE_DIR}/resources/program")
  endif()
  _kv_collect(srcs FALSE ${A_DIRS})
  list(FILTER srcs EXCLUDE REGEX "/tests/e2e/harness/")
  add_executable(${name} ${srcs})
  # Each window's test file keeps its own names for its columns.
  set_target_properties(${name} PROPERTIES UNITY_BUILD OFF)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests ${KV_SRC_ROOT})
  target_link_libraries(${name} PRIVATE kv_e2e_harness ${A_DEPS} GTest::gtest GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    KV_FIXTURES_DIR="${CMAKE_SOURCE_DIR}/tests/fixtures"
    KV_SHARED_TESTDATA_DIR="${CMAKE_SOURCE_DIR}/../shared/testdata"
    KV_TEST_BINARY_DIR="${CMAKE_CURRENT_BINARY_DIR}")
  target_precompile_headers(${name} REUSE_FROM kv_pch_test)
  target_link_options(${name} PRIVATE -no-pie)
  # One process per test: each starts the program afresh, as its user would. The tests are
  # listed when the executable is linked, with a limit no busy machine reaches.
  include(GoogleTest)
  gtest_discover_tests(${name}
    DISCOVERY_MODE POST_BUILD
    DISCOVERY_TIMEOUT 600
    TEST_PREFIX "e2e."
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=xcb" TIMEOUT 300 SKIP_RETURN_CODE 77 LABELS e2e)
endfunction()
