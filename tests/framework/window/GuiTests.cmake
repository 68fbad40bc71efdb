# Window test programs: their tests run under one Xvfb that the CTest fixture gui_display starts
# and stops (see gui-session), in a Wine prefix of their own.
set(TERVOK_GUI_SESSION ${CMAKE_CURRENT_LIST_DIR}/gui-session)
set(TERVOK_GUI_STATE ${CMAKE_BINARY_DIR}/gui-session)
set(TERVOK_GUI_DIR ${CMAKE_CURRENT_LIST_DIR})

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
endfunction()

# tervok_gui_real_input_tests(program test...): tests of the program that move the real mouse
# or type real keys run alone: on the shared display another test's window would take them. So do
# tests whose window must keep the focus meanwhile (an in-place editor ends when it loses it): a
# window that another test shows takes the focus from every other test's.
function(tervok_gui_real_input_tests program)
  tervok_set_discovered_tests(${program} real_input PROPERTIES RUN_SERIAL TRUE TESTS ${ARGN})
endfunction()

# tervok_gui_mdi_frame_tests(program class...): the classes whose tests show an MDI frame run
# alone. While such a frame lives, Wine's MDI client has been seen giving the id of its first
# child (0xFF00) to a control of another test program's window (a dialog's OK button), whose test
# then found no such control and failed or waited for ever.
function(tervok_gui_mdi_frame_tests program)
  tervok_set_discovered_tests(${program} mdi_frame PROPERTIES RUN_SERIAL TRUE CLASSES ${ARGN})
endfunction()
