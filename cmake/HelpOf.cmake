# help_of(<out> [ARGS...]): the --help text of ${PROGRAM} (with ARGS before --help), as an
# installed program prints it: no program folder from the environment and no display needed.
function(help_of out)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env --unset=ORVOVIEW_HOME --unset=DISPLAY
            --unset=WAYLAND_DISPLAY ${PROGRAM} ${ARGN} --help
        OUTPUT_VARIABLE text RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${PROGRAM} ${ARGN} --help failed: ${status}")
    endif()
    set(${out} "${text}" PARENT_SCOPE)
endfunction()
