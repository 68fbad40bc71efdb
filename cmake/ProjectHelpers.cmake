# Helpers shared by the folders' CMakeLists.

# Whether this machine runs the programs of this build: tools/width decides which width is
# tested here. Both widths compile every program; a build of the other width registers only
# the checks that run no Windows code.
execute_process(COMMAND ${CMAKE_CURRENT_LIST_DIR}/../tools/width TERVOK_WIDTH
                OUTPUT_VARIABLE _tervok_tested_width OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
math(EXPR _tervok_width "${CMAKE_SIZEOF_VOID_P} * 8")
if(_tervok_width EQUAL _tervok_tested_width)
  set(TERVOK_RUNS_HERE ON)
else()
  set(TERVOK_RUNS_HERE OFF)
endif()

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
# Wine. TIMEOUT bounds each test so a hang fails in minutes; PROPERTIES are further test
# properties (name value ...), such as a fixture or a resource lock the tests need. A property
# takes one value here: gtest discovery would split a list into further properties.
function(tervok_add_test_program name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;LABELS;PROPERTIES" ${ARGN})
  if(T_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "tervok_add_test_program(${name}): unexpected ${T_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  tervok_enable_gtest()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gtest gtest_main)
  target_compile_options(${name} PRIVATE -Wno-missing-field-initializers)
  if(NOT TERVOK_RUNS_HERE)
    return()
  endif()
  include(GoogleTest)
  set(props TIMEOUT ${T_TIMEOUT})
  if(T_LABELS)
    list(APPEND props LABELS "${T_LABELS}")
  endif()
  list(APPEND props ${T_PROPERTIES})
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES ${props})
endfunction()

# The company, copyright and version every deliverable's version block carries.
set(TERVOK_COMPANY "Tervok AG")
set(TERVOK_COPYRIGHT "Copyright (C) 2004-2026 Tervok AG")
set(TERVOK_PRODUCT_VERSION "1.0")
set(_tervok_version_template ${CMAKE_CURRENT_LIST_DIR}/../resources/version.rc.in)

# A VERSIONINFO resource for a program or DLL: company, product name, description and file
# name, from which the version texts and the data-folder names of the running program come.
#   tervok_add_version_resource(Belvane PRODUCT "Belvane" DESCRIPTION "Alarm management console"
#                               FILENAME "Belvane.exe" [VERSION 1.0] [SPECIAL_BUILD "text"]
#                               [COMPANY "..."] [COPYRIGHT "..."])
function(tervok_add_version_resource target)
  cmake_parse_arguments(V "" "PRODUCT;DESCRIPTION;FILENAME;VERSION;SPECIAL_BUILD;COMPANY;COPYRIGHT" "" ${ARGN})
  if(NOT V_PRODUCT OR NOT V_FILENAME)
    message(FATAL_ERROR "tervok_add_version_resource(${target}): PRODUCT and FILENAME are required")
  endif()
  foreach(field VERSION:TERVOK_PRODUCT_VERSION COMPANY:TERVOK_COMPANY COPYRIGHT:TERVOK_COPYRIGHT)
    string(REPLACE ":" ";" pair ${field})
    list(GET pair 0 arg)
    list(GET pair 1 fallback)
    if(NOT DEFINED V_${arg})
      set(V_${arg} "${${fallback}}")
    endif()
  endforeach()
  if(NOT V_DESCRIPTION)
    set(V_DESCRIPTION "${V_PRODUCT}")
  endif()
  # FILEVERSION wants four numbers.
  string(REPLACE "." ";" numbers "${V_VERSION}")
  list(LENGTH numbers count)
  while(count LESS 4)
    list(APPEND numbers 0)
    math(EXPR count "${count} + 1")
  endwhile()
  list(SUBLIST numbers 0 4 numbers)
  string(REPLACE ";" "," TVR_VERSION_COMMAS "${numbers}")
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    set(TVR_FILETYPE VFT_APP)
  else()
    set(TVR_FILETYPE VFT_DLL)
  endif()
  set(TVR_VERSION "${V_VERSION}")
  set(TVR_COMPANY "${V_COMPANY}")
  set(TVR_COPYRIGHT "${V_COPYRIGHT}")
  set(TVR_PRODUCT "${V_PRODUCT}")
  set(TVR_DESCRIPTION "${V_DESCRIPTION}")
  set(TVR_FILENAME "${V_FILENAME}")
  get_filename_component(TVR_INTERNAL "${V_FILENAME}" NAME_WE)
  if(V_SPECIAL_BUILD)
    set(TVR_FILEFLAGS VS_FF_SPECIALBUILD)
    set(TVR_SPECIAL_BUILD_LINE "            VALUE \"SpecialBuild\", \"${V_SPECIAL_BUILD}\"")
  else()
    set(TVR_FILEFLAGS 0)
    set(TVR_SPECIAL_BUILD_LINE "")
  endif()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${_tervok_version_template} ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()

# Embeds the application manifest file in a program as the resource the loader reads
# (RT_MANIFEST, id 1). Only the shipped programs have one: its execution level changes how
# Windows starts them (tools/check-manifests checks it).
#   tervok_add_manifest(Belvane ${CMAKE_SOURCE_DIR}/resources/console/Belvane.manifest)
function(tervok_add_manifest target manifest)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_manifest.rc)
  file(WRITE ${rc} "// The application manifest of ${target}, written by tervok_add_manifest.\n"
                   "1 24 \"${manifest}\"\n")
  target_sources(${target} PRIVATE ${rc})
  set_source_files_properties(${rc} TARGET_DIRECTORY ${target} PROPERTIES OBJECT_DEPENDS ${manifest})
endfunction()

# Copies the DLL <library> into the folder of <target>, which loads it by name, whenever the DLL
# changes: a copy made only when <target> is linked goes stale when the DLL alone is rebuilt.
function(tervok_copy_library_beside target library)
  get_target_property(folder ${target} BINARY_DIR)
  add_custom_command(
    OUTPUT ${folder}/${library}.dll
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${library}> ${folder}
    DEPENDS ${library}
    VERBATIM)
  add_custom_target(${target}_${library}_copy DEPENDS ${folder}/${library}.dll)
  add_dependencies(${target} ${target}_${library}_copy)
endfunction()

# tervok_set_discovered_tests(program name {PROPERTIES name value... | APPEND_TO variable}
#                             [TESTS test...] [CLASSES class...]): sets the properties on those
# of the program's discovered gtest tests, once discovery has named them (or appends their names
# to the variable, for a later script of the same test file): the tests listed, and every test of
# the classes listed. A parameterised test is named without the value that its listed name
# carries after " # ".
function(tervok_set_discovered_tests program name)
  cmake_parse_arguments(S "" "APPEND_TO" "PROPERTIES;TESTS;CLASSES" ${ARGN})
  string(REPLACE ";" " " props "${S_PROPERTIES}")
  set(action "set_tests_properties(\"\${test}\" PROPERTIES ${props})")
  if(S_APPEND_TO)
    set(action "list(APPEND ${S_APPEND_TO} \"\${test}\")")
  endif()
  string(REPLACE ";" " " tests "${S_TESTS}")
  string(REPLACE ";" "|" classes "${S_CLASSES}")
  set(script ${CMAKE_CURRENT_BINARY_DIR}/${program}_${name}.cmake)
  file(WRITE ${script} "set(wanted ${tests})\n"
                       "foreach(test IN LISTS ${program}_TESTS)\n"
                       "  string(REGEX REPLACE \"  # .*$\" \"\" name \"\${test}\")\n"
                       "  list(FIND wanted \"\${name}\" found)\n"
                       "  if(found GREATER -1 OR (NOT \"${classes}\" STREQUAL \"\" AND name MATCHES \"^(.*/)?(${classes})[.]\"))\n"
                       "    ${action}\n"
                       "  endif()\n"
                       "endforeach()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${script})
endfunction()

# tervok_long_tests(program timeout test...): gtest tests of the program that run for minutes
# (mutation runs over many damaged inputs) carry the label "long" (in place of any the program
# gives), a cost that starts them first and a time limit of their own.
function(tervok_long_tests program timeout)
  tervok_set_discovered_tests(${program} long PROPERTIES LABELS long COST 1000 TIMEOUT ${timeout} TESTS ${ARGN})
endfunction()
