# Writes the man page of tavrel-cli from its own --help texts, so the two never disagree.
#   cmake -DCLI=path/to/tavrel-cli -DOUT=tavrel-cli.1 -DVERSION=x.y.z -P ManPage.cmake
function(help_of out)
    execute_process(COMMAND ${CLI} ${ARGN} --help OUTPUT_VARIABLE text RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${CLI} ${ARGN} --help failed")
    endif()
    # roff: a backslash is written \e, a line must not start with a control character.
    string(REPLACE "\\" "\\e" text "${text}")
    string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

help_of(overview)
string(REGEX MATCH "commands:\n(([ ]+[a-z]+[^\n]*\n)+)" block "${overview}")
string(REGEX MATCHALL "\n  [a-z]+" names "\n${CMAKE_MATCH_1}")

set(page ".TH TAVREL-CLI 1 \"\" \"Tavrel ${VERSION}\" \"User Commands\"\n")
string(APPEND page ".SH NAME\ntavrel-cli \\- the Tavrel loudspeaker simulator without a window\n")
string(APPEND page ".SH SYNOPSIS\n.nf\n${overview}.fi\n.SH COMMANDS\n")
foreach(name IN LISTS names)
    string(STRIP "${name}" name)
    help_of(text ${name})
    string(APPEND page ".SS ${name}\n.nf\n${text}.fi\n")
endforeach()
string(APPEND page ".SH SEE ALSO\n.BR tavrel (1)\n")
file(WRITE ${OUT} "${page}")
