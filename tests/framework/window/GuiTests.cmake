# Window test programs: their tests run under one Xvfb that the CTest fixture gui_display starts
# and stops (see gui-session), in a Wine prefix of their own.
set(TERVOK_GUI_SESSION ${CMAKE_CURRENT_LIST_DIR}/gui-session)
set(TERVOK_GUI_STATE ${CMAKE_BINARY_DIR}/gui-session)
set(TERVOK_GUI_DIR ${CMAKE_CURRENT_LIST_DIR})
# The window tests of a run share one display and one Wine server, eight at a time: each takes
# one of the eight slots of tests/gui-display.json, and a test that must be the only window test
# takes all of them (the other tests, black-box ones on their own display included, go on).
set(TERVOK_GUI_SLOT "gui_display:1")
set(TERVOK_GUI_ALONE "gui_display:8")

# Written once the directory that made the program is read, after every script that names tests
# to run alone: each test gets its slots (CTest adds to RESOURCE_GROUPS, so it is set only here).
function(tervok_gui_slots_script program)
  set(script ${CMAKE_CURRENT_BINARY_DIR}/${program}_slots.cmake)
  file(WRITE ${script} "foreach(test IN LISTS ${program}_TESTS)\n"
                       "  list(FIND ${program}_ALONE \"\${test}\" found)\n"
                       "  if(found GREATER -1)\n"
                       "    set_tests_properties(\"\${test}\" PROPERTIES RESOURCE_GROUPS ${TERVOK_GUI_ALONE})\n"
                       "  else()\n"
                       "    set_tests_properties(\"\${test}\" PROPERTIES RESOURCE_GROUPS ${TERVOK_GUI_SLOT})\n"
                       "  endif()\n"
                       "endforeach()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${script})
endfunction()

function(tervok_add_gui_fixture)
  get_property(done GLOBAL PROPERTY TERVOK_GUI_FIXTURE)
  if(done)
    return()
  endif()
  set_property(GLOBAL PROPERTY TERVOK_GUI_FIXTURE ON)
  add_test(NAME gui_display_start COMMAND ${TERVOK_GUI_SESSION} start ${TERVOK_GUI_STATE})
  set_tests_properties(gui_display_start PROPERTIES FIXTURES_SETUP gui_display TIMEOUT 180)
  add_test(NAME gui_display_stop COMMAND ${TERVOK_GUI_SESSION} stop ${TERVOK_GUI_STATE})
  set_tests_properties(gui_display_stop PROPERTIES FIXTURES_CLEANUP gui_display TIMEOUT 60)
endfunction()

# tervok_add_gui_test_program(name SOURCES ... LIBS ... [TIMEOUT n]): a gtest program whose
# tests need the display. Listing its tests needs none.
function(tervok_add_gui_test_program name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  tervok_enable_gtest()
  tervok_add_gui_fixture()
  add_executable(${name} ${T_SOURCES} ${TERVOK_GUI_DIR}/GuiTest.cpp)
  target_link_libraries(${name} PRIVATE ${T_LIBS} framework gtest gtest_main)
  target_compile_options(${name} PRIVATE -Wno-missing-field-initializers)
  target_include_directories(${name} PRIVATE ${TERVOK_GUI_DIR})
  set_target_properties(${name} PROPERTIES
    CROSSCOMPILING_EMULATOR "${TERVOK_GUI_SESSION};run;${TERVOK_GUI_STATE}")
  if(NOT TERVOK_RUNS_HERE)
    return()
  endif()
  include(GoogleTest)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 300
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES TIMEOUT ${T_TIMEOUT} FIXTURES_REQUIRED gui_display)
  # A deferred call reads its arguments when it runs: the name goes in now.
  cmake_language(EVAL CODE "cmake_language(DEFER CALL tervok_gui_slots_script ${name})")
endfunction()

# tervok_gui_real_input_tests(program test...): tests of the program that move the real mouse
# or type real keys run alone: on the shared display another test's window would take them. So do
# tests whose window must keep the focus meanwhile (an in-place editor ends when it loses it): a
# window that another test shows takes the focus from every other test's.
function(tervok_gui_real_input_tests program)
  tervok_set_discovered_tests(${program} real_input APPEND_TO ${program}_ALONE TESTS ${ARGN})
endfunction()

# tervok_gui_mdi_frame_tests(program class...): the classes whose tests show an MDI frame run
# alone. While such a frame lives, Wine's MDI client has been seen giving the id of its first
# child (0xFF00) to a control of another test program's window (a dialog's OK button), whose test
# then found no such control and failed or waited for ever.
function(tervok_gui_mdi_frame_tests program)
  tervok_set_discovered_tests(${program} mdi_frame APPEND_TO ${program}_ALONE CLASSES ${ARGN})
endfunction()
