# The agent program: service, command line, event-log monitor, forwarding and command server.

# The event-log reader and the message text of a record.
add_library(agenteventlog STATIC
  EventLog/EventLogSource.cpp
  EventLog/EventRecord.cpp
  EventLog/EventRecordText.cpp
  EventLog/EventSourceKeys.cpp
  EventLog/MessageFileSystem.cpp
  EventLog/SpoolEventLogSource.cpp)
target_link_libraries(agenteventlog PUBLIC agentwire support ws2_32 advapi32)

# Service framework, monitor thread, forwarding and command server.
add_library(agentprog STATIC
  AgentService.cpp
  SystemTray.cpp
  CommandConnection.cpp
  CommandServer.cpp
  LogonProvider.cpp
  ServiceBase.cpp
  EventLog/EventLog.cpp
  EventLog/EventLogForward.cpp
  EventLog/ForwardCounters.cpp)
target_link_libraries(agentprog PUBLIC agenteventlog agentcore support ws2_32 advapi32 ole32 oleaut32 shell32)

add_executable(QuorvexAgent QuorvexAgent.cpp)
target_link_libraries(QuorvexAgent PRIVATE agentprog)
tervok_add_version_resource(QuorvexAgent PRODUCT "Quorvex" DESCRIPTION "Tervok Quorvex Agent"
                            FILENAME "QuorvexAgent.exe")
# With its caller's rights (as a service, the service account's), never virtualised.
tervok_add_manifest(QuorvexAgent ${CMAKE_CURRENT_SOURCE_DIR}/QuorvexAgent.manifest)
# The event-log writer registers the message files in the program's folder.
tervok_add_event_message_files(QuorvexAgent)
