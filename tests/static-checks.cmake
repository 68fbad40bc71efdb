# Checks that run no Windows code, so that every build has them, also one whose programs this
# machine cannot run (the shipped 32-bit build where the 64-bit one is tested).
add_test(NAME Sendrix.exports
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/alarmsend/check-exports ${CMAKE_OBJDUMP} $<TARGET_FILE:Sendrix>)
add_test(NAME gantrel_exports
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/installactions/check-exports.sh ${CMAKE_OBJDUMP}
                 $<TARGET_FILE:Gantrel>)
add_test(NAME Belvane.exports
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/console/check-exports ${CMAKE_OBJDUMP} $<TARGET_FILE:Belvane>)
# Belvane asks Windows for the highest rights its user has, the agent for its caller's; the libraries
# carry no manifest.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_test(NAME manifests
         COMMAND ${Python3_EXECUTABLE} -B ${CMAKE_SOURCE_DIR}/tools/check-manifests
                 $<TARGET_FILE:Belvane> highestAvailable $<TARGET_FILE:QuorvexAgent> asInvoker
                 $<TARGET_FILE:Sendrix> none $<TARGET_FILE:Gantrel> none)
# Wine's "...A" ODBC exports end the process: no built program may import one.
add_test(NAME odbc_no_ansi_imports COMMAND ${CMAKE_SOURCE_DIR}/tools/check-odbc-imports ${CMAKE_BINARY_DIR})
# The portable-SQL test sees statements where they reach ODBC: no statement may go round that.
add_test(NAME odbc_statements_through_one_call
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/framework/database/check-statement-seam ${CMAKE_SOURCE_DIR})
set_tests_properties(Sendrix.exports gantrel_exports Belvane.exports manifests odbc_no_ansi_imports
                     odbc_statements_through_one_call
                     PROPERTIES TIMEOUT 60 LABELS static)
