# Installing Morvane like a desktop application (cmake --install build --prefix PREFIX) and
# packaging it as a .deb (scripts/package.sh). The program needs no file of its own at run time
# (the manual and the English table are compiled in); the installed copies of the manual and
# the English table are for reading and translating.

include(GNUInstallDirs)

install(TARGETS morvane-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(MORVANE_BUILD_UI)
    install(TARGETS morvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${CMAKE_SOURCE_DIR}/data/morvane.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${CMAKE_SOURCE_DIR}/data/icons/morvane.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    install(FILES ${CMAKE_SOURCE_DIR}/data/icons/morvane-48.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps RENAME morvane.png)
endif()

# The manual page, written from the built program's --help (cmake/ManPage.cmake).
set(MORVANE_MAN_PAGE ${CMAKE_BINARY_DIR}/morvane-cli.1)
add_custom_command(OUTPUT ${MORVANE_MAN_PAGE}
    COMMAND ${CMAKE_COMMAND} -DCLI=$<TARGET_FILE:morvane-cli> -DOUT=${MORVANE_MAN_PAGE}
        -P ${CMAKE_SOURCE_DIR}/cmake/ManPage.cmake
    DEPENDS morvane-cli ${CMAKE_SOURCE_DIR}/cmake/ManPage.cmake
    COMMENT "Writing the manual page of morvane-cli")
add_custom_target(morvane-cli-man ALL DEPENDS ${MORVANE_MAN_PAGE})
install(FILES ${MORVANE_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

install(FILES ${CMAKE_SOURCE_DIR}/data/morvane-cli.bash
    DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME morvane-cli)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/help/ DESTINATION ${CMAKE_INSTALL_DATADIR}/morvane/help)
install(FILES ${CMAKE_SOURCE_DIR}/lang/english.dat DESTINATION ${CMAKE_INSTALL_DATADIR}/morvane)

# The Debian package.
set(CPACK_PACKAGE_NAME morvane)
set(CPACK_PACKAGE_VENDOR "Morvane")
set(CPACK_PACKAGE_CONTACT "Morvane developers <morvane@localhost>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "search and replace text in many files with regular expressions")
set(CPACK_PACKAGE_DESCRIPTION "Morvane searches and replaces text in many files at once with its own
regular expressions and replacement templates, keeps numbered backup copies, handles the
Cyrillic code pages Windows-1251, KOI8-R and DOS-866, and has a command-line program,
morvane-cli, besides the desktop program.")
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "")
set(CPACK_STRIP_FILES ON)
include(CPack)
