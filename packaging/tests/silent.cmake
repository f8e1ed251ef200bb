# Runs COMMAND with the list ARGUMENTS and fails when it fails or prints anything:
# for checkers that report warnings but still exit with 0.
#   cmake -DCOMMAND=tool -DARGUMENTS="a;b" -P silent.cmake
execute_process(COMMAND ${COMMAND} ${ARGUMENTS}
                RESULT_VARIABLE result
                OUTPUT_VARIABLE output
                ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR NOT output STREQUAL "")
    message(FATAL_ERROR "${COMMAND} ${ARGUMENTS}\nexit status: ${result}\n${output}")
endif()
