# Installs the build into a fresh temporary prefix and checks that every file a desktop
# installation needs is there, that the manual page carries the program's options, and that
# the installed morvane-cli runs.
# Usage: cmake -DBUILD=build-dir -DPREFIX=tmp-dir -DUI=ON|OFF -P CheckInstall.cmake

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${out}")
endif()

set(expected
    bin/morvane-cli
    share/man/man1/morvane-cli.1
    share/bash-completion/completions/morvane-cli
    share/morvane/english.dat
    share/morvane/help/index.html
    share/morvane/help/patterns.html
    share/morvane/help/templates.html
    share/morvane/help/style.css)
if(UI)
    list(APPEND expected
        bin/morvane
        share/applications/morvane.desktop
        share/icons/hicolor/scalable/apps/morvane.svg
        share/icons/hicolor/48x48/apps/morvane.png)
endif()
foreach(file ${expected})
    if(NOT EXISTS ${PREFIX}/${file})
        message(SEND_ERROR "missing after install: ${file}")
    endif()
endforeach()

file(READ ${PREFIX}/share/man/man1/morvane-cli.1 man)
foreach(option "\\-\\-multipass" "\\-\\-split\\-digits" "\\-\\-version" ".SH EXIT STATUS")
    string(FIND "${man}" "${option}" at)
    if(at EQUAL -1)
        message(SEND_ERROR "the manual page lacks ${option}")
    endif()
endforeach()

execute_process(COMMAND ${PREFIX}/bin/morvane-cli --version RESULT_VARIABLE status OUTPUT_VARIABLE version)
if(NOT status EQUAL 0 OR NOT version MATCHES "^morvane-cli ")
    message(SEND_ERROR "the installed morvane-cli does not run: ${status} ${version}")
endif()
file(REMOVE_RECURSE ${PREFIX})
