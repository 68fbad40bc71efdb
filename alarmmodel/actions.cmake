# The local notification channels (command interpreter, script host, speech), and the action
# runner that drives them with mail and SMS.
add_library(actions STATIC
  ${CMAKE_CURRENT_LIST_DIR}/AlarmActionRunner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/channels/CommandRunner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/channels/ConsoleTextFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/channels/HiddenProcess.cpp
  ${CMAKE_CURRENT_LIST_DIR}/channels/ScriptRunner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/channels/SpeechVoice.cpp)
target_link_libraries(actions PUBLIC alarmmodel channels support ole32 uuid winmm)
