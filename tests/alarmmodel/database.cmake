# The alarm database on real drivers (the ODBC bench of tests/odbc-fixture.cmake): one program
# with a stand-in for the Access driver, one with no Access driver at all.
set(alarmdb_test_dir ${CMAKE_CURRENT_SOURCE_DIR}/database)
odbc_bench_properties(alarmdb_props odbc)
tervok_add_test_program(alarmdb_tests
  SOURCES ${alarmdb_test_dir}/AlarmsBench.cpp ${alarmdb_test_dir}/StartUpCheckTest.cpp
          ${alarmdb_test_dir}/AlarmRowsTest.cpp ${alarmdb_test_dir}/AccessDsnTest.cpp
          ${alarmdb_test_dir}/AccessTypeListTest.cpp
          ${alarmdb_test_dir}/DsnParameterStoreTest.cpp ${alarmdb_test_dir}/ConnectStringMaskTest.cpp
  LIBS alarmdb
  TIMEOUT 180
  PROPERTIES ${alarmdb_props})
odbc_bench_properties(noaccess_props odbc-noaccess)
tervok_add_test_program(alarmdb_noaccess_tests
  SOURCES ${alarmdb_test_dir}/AlarmsBench.cpp ${alarmdb_test_dir}/NoAccessDriverTest.cpp
  LIBS alarmdb
  TIMEOUT 180
  PROPERTIES ${noaccess_props})
foreach(t alarmdb_tests alarmdb_noaccess_tests)
  target_compile_definitions(${t} PRIVATE TERVOK_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
endforeach()
