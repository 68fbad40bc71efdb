# The agent program: service, command line, event-log monitor, forwarding and command server.

# The event-log reader and the message text of a record.
add_library(agenteventlog STATIC
  EventLog/EventLogSource.cpp
  EventLog/EventRecord.cpp
  EventLog/EventRecordText.cpp
  EventLog/SpoolEventLogSource.cpp)
target_link_libraries(agenteventlog PUBLIC agentwire support ws2_32 advapi32)
