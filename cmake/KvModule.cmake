# Helpers that turn a folder into a library or a test executable.
# Sources are globbed so that adding a file needs no edit here.

set(KV_SRC_ROOT ${CMAKE_SOURCE_DIR}/src)

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
    target_include_directories(${name} PUBLIC ${KV_SRC_ROOT})
    target_link_libraries(${name} PUBLIC ${A_DEPS})
    if(pch)
      target_precompile_headers(${name} PRIVATE ${KV_QT_PCH})
    endif()
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${KV_SRC_ROOT})
    target_link_libraries(${name} INTERFACE ${A_DEPS})
  endif()
endfunction()

# kv_add_test(name DIRS d [NORECURSE] DEPS t...): one GoogleTest executable per folder.
function(kv_add_test name)
  cmake_parse_arguments(A "NORECURSE" "" "DIRS;DEPS" ${ARGN})
  _kv_collect(srcs ${A_NORECURSE} ${A_DIRS})
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests ${KV_SRC_ROOT})
  target_link_libraries(${name} PRIVATE ${A_DEPS} kv_test_support GTest::gtest GTest::gmock Qt6::Test)
  target_compile_definitions(${name} PRIVATE
    KV_FIXTURES_DIR="${CMAKE_SOURCE_DIR}/tests/fixtures"
    KV_SHARED_TESTDATA_DIR="${CMAKE_SOURCE_DIR}/../shared/testdata"
    KV_TEST_BINARY_DIR="${CMAKE_CURRENT_BINARY_DIR}")
  target_precompile_headers(${name} PRIVATE <gtest/gtest.h> ${KV_QT_PCH})
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
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
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests ${KV_SRC_ROOT})
  target_link_libraries(${name} PRIVATE kv_e2e_harness ${A_DEPS} GTest::gtest GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    KV_FIXTURES_DIR="${CMAKE_SOURCE_DIR}/tests/fixtures"
    KV_SHARED_TESTDATA_DIR="${CMAKE_SOURCE_DIR}/../shared/testdata"
    KV_TEST_BINARY_DIR="${CMAKE_CURRENT_BINARY_DIR}")
  target_precompile_headers(${name} PRIVATE <gtest/gtest.h> ${KV_QT_PCH})
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    TEST_PREFIX "e2e."
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=xcb" TIMEOUT 300 SKIP_RETURN_CODE 77 LABELS e2e)
endfunction()
