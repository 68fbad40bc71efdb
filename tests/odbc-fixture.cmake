# The database bench that ODBC tests run on: SQLite and PostgreSQL data sources and a private
# PostgreSQL server, set up before the first such test and stopped after the last.
set(ODBC_BENCH_DIR ${CMAKE_BINARY_DIR}/odbc-bench)
add_test(NAME odbc_bench_start COMMAND ${CMAKE_SOURCE_DIR}/tools/odbc-fixture start ${ODBC_BENCH_DIR})
add_test(NAME odbc_bench_stop COMMAND ${CMAKE_SOURCE_DIR}/tools/odbc-fixture stop ${ODBC_BENCH_DIR})
set_tests_properties(odbc_bench_start PROPERTIES FIXTURES_SETUP odbc_bench TIMEOUT 120)
set_tests_properties(odbc_bench_stop PROPERTIES FIXTURES_CLEANUP odbc_bench TIMEOUT 120)

# Test properties for a program on that bench; DRIVERS is "odbc" (with a stand-in for the
# Access driver) or "odbc-noaccess".
function(odbc_bench_properties out drivers)
  set(${out} FIXTURES_REQUIRED odbc_bench RESOURCE_LOCK odbc_bench
      ENVIRONMENT "ODBCSYSINI=${ODBC_BENCH_DIR}/${drivers}"
      PARENT_SCOPE)
endfunction()

