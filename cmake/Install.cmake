# Installed layout (under CMAKE_INSTALL_PREFIX, /usr for the package): the program, the
# command-line tool and the report generator in bin/, the desktop entry, AppStream metadata,
# icon and the tool's man page in share/. The installed program keeps its files per user
# (see support/ProgramFolder.h): it knows it is installed by its desktop entry.
include(GNUInstallDirs)

set(ORVO_MAN_PAGE ${CMAKE_BINARY_DIR}/orvoview-cli.1)
add_custom_command(OUTPUT ${ORVO_MAN_PAGE}
    COMMAND ${CMAKE_COMMAND} -DCLI=$<TARGET_FILE:orvoview-cli> -DOUT=${ORVO_MAN_PAGE}
        -DVERSION=${PROJECT_VERSION} -P ${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake
    DEPENDS orvoview-cli ${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake
    COMMENT "Man page of orvoview-cli from its help texts")
add_custom_target(orvoview-cli-man ALL DEPENDS ${ORVO_MAN_PAGE})

install(TARGETS orvoview-cli orvo-reportgen RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${ORVO_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

if(ORVO_BUILD_GUI)
    set(desktop ${PROJECT_SOURCE_DIR}/res/desktop)
    set(icons ${PROJECT_SOURCE_DIR}/res/icons)
    install(TARGETS orvoview RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${desktop}/${ORVO_DESKTOP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${desktop}/${ORVO_DESKTOP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(FILES ${icons}/orvoview.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${ORVO_DESKTOP_ID}.svg)
    foreach(size 16 24 32 48 64 128 256)
        install(FILES ${icons}/orvoview-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${ORVO_DESKTOP_ID}.png)
    endforeach()
endif()

# Debian package: cpack -G DEB in the build folder gives orvoview_<version>_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvoview)
set(CPACK_PACKAGE_VENDOR "OrvoView")
set(CPACK_PACKAGE_CONTACT "OrvoView developers <orvoview@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Receive, file, show and print Orvo power recorder reports")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "OrvoView receives the printed report of an Orvo power recorder over a serial line, or\n"
    "reads a captured report file, files the measured days under customers and circuits in\n"
    "one data file (the same format as the Windows program), and shows, prints and exports\n"
    "daily and monthly reports. Includes the command-line companion orvoview-cli.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The Qt libraries come from the binaries' own needs; the drawing code asks for IPA Gothic.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, libqt6svg6, libxlsxwriter4")
set(CPACK_STRIP_FILES ON)
include(CPack)
