# Helpers shared by the folders' CMakeLists.

# GoogleTest, built from Debian's sources with the cross toolchain.
function(tervok_enable_gtest)
  if(TARGET gtest)
    return()
  endif()
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  foreach(t gtest gtest_main)
    target_compile_options(${t} PRIVATE -w)
  endforeach()
endfunction()

# One test program for a source folder: every TEST in it becomes a CTest test that runs under
# Wine. TIMEOUT bounds each test so a hang fails in minutes.
function(tervok_add_test_program name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;LABELS;RESOURCE_LOCK" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  tervok_enable_gtest()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gtest gtest_main)
  target_compile_options(${name} PRIVATE -Wno-missing-field-initializers)
  include(GoogleTest)
  set(props TIMEOUT ${T_TIMEOUT})
  if(T_LABELS)
    list(APPEND props LABELS "${T_LABELS}")
  endif()
  if(T_RESOURCE_LOCK)
    list(APPEND props RESOURCE_LOCK "${T_RESOURCE_LOCK}")
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES ${props})
endfunction()
