# The local notification channels (command interpreter, script host, speech) that the action
# runner drives besides mail and SMS.
add_library(actions STATIC
  ${CMAKE_CURRENT_LIST_DIR}/channels/CommandRunner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/channels/ConsoleTextFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/channels/HiddenProcess.cpp
  ${CMAKE_CURRENT_LIST_DIR}/channels/ScriptRunner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/channels/SpeechVoice.cpp)
target_link_libraries(actions PUBLIC support ole32 uuid)
