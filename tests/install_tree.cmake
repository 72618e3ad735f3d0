# Installs the build into a fresh prefix and checks it as a Linux desktop would: the programs
# start from bin/ with the data in share/tavrel/, and the validators accept the desktop entry,
# the AppStream metainfo and the file types.
set(prefix ${WORK}/prefix)
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BIN} --prefix ${prefix}
                OUTPUT_QUIET RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed")
endif()
set(share ${prefix}/share)
foreach(file bin/tavrel bin/tavrel-cli share/tavrel/Default.TVP share/tavrel/placeholder.jpg
             share/man/man1/tavrel-cli.1 share/icons/hicolor/48x48/apps/org.tavrel.Tavrel.png
             share/icons/hicolor/scalable/apps/org.tavrel.Tavrel.svg)
    if(NOT EXISTS ${prefix}/${file})
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()

function(run what)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out
                    ERROR_VARIABLE out)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${what} failed (${status}):\n${out}")
    endif()
    set(out "${out}" PARENT_SCOPE)
endfunction()

run("the installed tavrel-cli" ${prefix}/bin/tavrel-cli calc ${share}/tavrel/Default.TVP)
# The desktop program pictures its start project, which it finds in share/tavrel/.
set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{XDG_CONFIG_HOME} ${WORK}/config)
run("the installed tavrel" ${prefix}/bin/tavrel --screenshot ${WORK}/start.png)
if(out MATCHES "not a valid|Default.TVP" OR NOT EXISTS ${WORK}/start.png)
    message(FATAL_ERROR "the installed tavrel did not show its default project:\n${out}")
endif()
# A picture is all a screenshot run may write: no settings file, no configuration folder.
if(EXISTS ${WORK}/config)
    message(FATAL_ERROR "the screenshot run wrote into the configuration folder")
endif()

run("desktop-file-validate" desktop-file-validate ${share}/applications/org.tavrel.Tavrel.desktop)
run("appstreamcli validate" appstreamcli validate --no-net
    ${share}/metainfo/org.tavrel.Tavrel.metainfo.xml)
# The project has no web site: the metainfo must not send anyone to an invented one.
file(READ ${share}/metainfo/org.tavrel.Tavrel.metainfo.xml metainfo)
if(metainfo MATCHES "https?://")
    message(FATAL_ERROR "the metainfo names a web address the project does not have")
endif()
run("update-mime-database" update-mime-database ${share}/mime)
file(READ ${share}/mime/globs2 globs)
foreach(type "application/x-tavrel-project:\\*\\.tvp" "application/x-tavrel-driver:\\*\\.tvc")
    if(NOT globs MATCHES "${type}")
        message(FATAL_ERROR "no file type ${type} after update-mime-database")
    endif()
endforeach()
message(STATUS "installed tree is complete and valid")
