# The alarm database over ODBC: connection and start-up check, table creation, data source
# creation, alarm rows and recordsets, metadata recordsets and the DSN parameter store.
file(GLOB alarmdb_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/database/*.cpp)
add_library(alarmdb STATIC ${alarmdb_sources})
target_link_libraries(alarmdb PUBLIC alarmmodel support framework odbc32 crypt32 shell32 user32)
