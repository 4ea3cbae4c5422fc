# Writes the man page of orvoview-cli from its own help texts, so the two never disagree.
# cmake -DCLI=<orvoview-cli> -DOUT=<file> -DVERSION=<x.y.z> -P ManPage.cmake
function(help_of out)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=ORVOVIEW_HOME ${CLI} ${ARGN} --help
        OUTPUT_VARIABLE text RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${CLI} ${ARGN} --help failed: ${status}")
    endif()
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Text as a preformatted troff block: backslashes and minus signs escaped, no line read as a
# request.
function(preformatted out text)
    string(REPLACE "\\" "\\e" text "${text}")
    string(REPLACE "-" "\\-" text "${text}")
    string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
    string(REGEX REPLACE "\n+$" "" text "${text}")
    set(${out} ".nf\n${text}\n.fi\n" PARENT_SCOPE)
endfunction()

help_of(overview)
# The folder of the build machine means nothing in the installed page.
string(REGEX REPLACE "\nProgram folder in use:[^\n]*\n" "\n" overview "${overview}")
string(FIND "${overview}" "\n\n" split)
string(SUBSTRING "${overview}" 0 ${split} synopsis)
math(EXPR rest "${split} + 2")
string(SUBSTRING "${overview}" ${rest} -1 description)
string(REGEX MATCHALL "\n  [a-z][a-z-]+ " lines "${overview}")

set(page ".\\\" -*- coding: UTF-8 -*-\n")
string(APPEND page ".\\\" Made from the help texts of orvoview-cli; do not edit.\n")
string(APPEND page ".TH ORVOVIEW\\-CLI 1 \"\" \"OrvoView ${VERSION}\" \"User Commands\"\n")
string(APPEND page ".SH NAME\norvoview\\-cli \\- command\\-line companion of OrvoView\n")
preformatted(block "${synopsis}")
string(APPEND page ".SH SYNOPSIS\n${block}")
preformatted(block "${description}")
string(APPEND page ".SH DESCRIPTION\n${block}")
string(APPEND page ".SH COMMANDS\n")
foreach(line IN LISTS lines)
    string(STRIP "${line}" command)
    help_of(text ${command})
    preformatted(block "${text}")
    string(REPLACE "-" "\\-" heading "${command}")
    string(APPEND page ".SS ${heading}\n${block}")
endforeach()
file(WRITE "${OUT}" "${page}")
