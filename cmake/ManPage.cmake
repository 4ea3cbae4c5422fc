# Writes a program's man page from its own help texts, so the two never disagree.
# cmake -DPROGRAM=<executable> -DNAME=<name> -DSUMMARY=<one line> -DOUT=<file.1>
#       -DVERSION=<x.y.z> [-DCOMMANDS=ON] -P ManPage.cmake
# With COMMANDS, every command the overview lists gets a section made from its own --help.
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

string(TOUPPER "${NAME}" title)
string(REPLACE "-" "\\-" title "${title}")
string(REPLACE "-" "\\-" name "${NAME}")
string(REPLACE "-" "\\-" summary "${SUMMARY}")
set(page ".\\\" -*- coding: UTF-8 -*-\n")
string(APPEND page ".\\\" Made from the help texts of ${NAME}; do not edit.\n")
string(APPEND page ".TH ${title} 1 \"\" \"OrvoView ${VERSION}\" \"User Commands\"\n")
string(APPEND page ".SH NAME\n${name} \\- ${summary}\n")
preformatted(block "${synopsis}")
string(APPEND page ".SH SYNOPSIS\n${block}")
preformatted(block "${description}")
string(APPEND page ".SH DESCRIPTION\n${block}")
if(COMMANDS)
    string(REGEX MATCHALL "\n  [a-z][a-z-]+ " lines "${overview}")
    string(APPEND page ".SH COMMANDS\n")
    foreach(line IN LISTS lines)
        string(STRIP "${line}" command)
        help_of(text ${command})
        preformatted(block "${text}")
        string(REPLACE "-" "\\-" heading "${command}")
        string(APPEND page ".SS ${heading}\n${block}")
    endforeach()
endif()
string(APPEND page ".SH SEE ALSO\n")
set(others orvoview orvoview-cli orvo-reportgen)
list(REMOVE_ITEM others ${NAME})
set(refs)
foreach(other IN LISTS others)
    string(REPLACE "-" "\\-" other "${other}")
    list(APPEND refs ".BR ${other} (1)")
endforeach()
list(JOIN refs ",\n" refs)
string(APPEND page "${refs}\n")
file(WRITE "${OUT}" "${page}")
# Installed compressed, as Debian's policy wants; -n keeps the bytes the same on every build.
execute_process(COMMAND gzip -9nf "${OUT}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip ${OUT} failed")
endif()
