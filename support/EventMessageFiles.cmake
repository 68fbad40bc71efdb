# The message files that the event-log writer registers for a program's source:
# "EventMessageFile.dll" and "CategoryMessageFile.dll", resource-only DLLs built from message
# texts by windmc and windres. A program that writes event-log entries gets them in its own
# folder through tervok_add_event_message_files(<program target>).

set(_tervok_message_dir ${CMAKE_CURRENT_BINARY_DIR}/eventmessages)

# A DLL <name>.dll in <folder> that holds nothing but the message table built from the message
# texts <mc>: no code and no entry point.
function(tervok_add_message_dll name mc folder)
  string(REPLACE "windres" "windmc" windmc "${CMAKE_RC_COMPILER}")
  set(work ${CMAKE_CURRENT_BINARY_DIR}/${name}_mc)
  get_filename_component(base ${mc} NAME_WE)
  add_custom_command(
    OUTPUT ${work}/${name}.res.o
    COMMAND ${CMAKE_COMMAND} -E make_directory ${work}
    COMMAND ${windmc} -h ${work} -r ${work} ${mc}
    COMMAND ${CMAKE_RC_COMPILER} -I ${work} -O coff -o ${work}/${name}.res.o ${work}/${base}.rc
    DEPENDS ${mc}
    VERBATIM)
  set_source_files_properties(${work}/${name}.res.o PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)
  add_library(${name} SHARED ${work}/${name}.res.o)
  set_target_properties(${name} PROPERTIES PREFIX "" LINKER_LANGUAGE C RUNTIME_OUTPUT_DIRECTORY ${folder})
  target_link_options(${name} PRIVATE -nostdlib -nostartfiles -Wl,-e,0)
endfunction()
tervok_add_message_dll(EventMessageFile ${CMAKE_CURRENT_LIST_DIR}/EventMessages.mc ${_tervok_message_dir})
tervok_add_message_dll(CategoryMessageFile ${CMAKE_CURRENT_LIST_DIR}/CategoryMessages.mc ${_tervok_message_dir})

# Copies both message files into the folder of <target> whenever either changes.
function(tervok_add_event_message_files target)
  get_target_property(folder ${target} RUNTIME_OUTPUT_DIRECTORY)
  if(NOT folder)
    get_target_property(folder ${target} BINARY_DIR)
  endif()
  set(copies ${folder}/EventMessageFile.dll ${folder}/CategoryMessageFile.dll)
  add_custom_command(
    OUTPUT ${copies}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:EventMessageFile>
            $<TARGET_FILE:CategoryMessageFile> ${folder}
    DEPENDS EventMessageFile CategoryMessageFile
    VERBATIM)
  add_custom_target(${target}_event_messages DEPENDS ${copies})
  add_dependencies(${target} ${target}_event_messages)
endfunction()
