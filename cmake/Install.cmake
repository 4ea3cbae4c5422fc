# Installed layout (under CMAKE_INSTALL_PREFIX, /usr for the package): the program and the
# command-line tool in bin/, the report generator in libexec/orvoview/, the desktop entry,
# AppStream metadata, icon, man pages, bash completion, copyright and changelog in share/. The installed program keeps its files per user
# (see support/ProgramFolder.h): it knows it is installed by its desktop entry.
include(GNUInstallDirs)

# Who makes the package and under which licence: one place, documented in README.md.
set(ORVO_PACKAGE_MAINTAINER "OrvoView developers <packages@orvoview.org>"
    CACHE STRING "Maintainer of the Debian package: Name <address>")
set(ORVO_COPYRIGHT "2006-2026 The OrvoView developers" CACHE STRING "Copyright line of the package")
set(ORVO_LICENSE "LicenseRef-OrvoView" CACHE STRING "Licence short name (SPDX or LicenseRef-)")
set(ORVO_LICENSE_FILE ${PROJECT_SOURCE_DIR}/packaging/license.txt
    CACHE FILEPATH "Licence text, each line indented by one space")
set(ORVO_HOMEPAGE "https://orvoview.org/" CACHE STRING "Home page of the program")
set(ORVO_RELEASE_DATE "Sat, 01 Jun 2024 00:00:00 +0000" CACHE STRING "Date of this release")

set(ORVO_PACKAGE_FILES ${CMAKE_BINARY_DIR}/package)
file(READ ${ORVO_LICENSE_FILE} ORVO_LICENSE_TEXT)
string(REGEX REPLACE "\n$" "" ORVO_LICENSE_TEXT "${ORVO_LICENSE_TEXT}")
configure_file(${PROJECT_SOURCE_DIR}/packaging/copyright.in ${ORVO_PACKAGE_FILES}/copyright @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in ${ORVO_PACKAGE_FILES}/changelog @ONLY)

# Man pages and the shell completion, made from the programs' own help texts.
set(ORVO_GENERATED)
function(orvo_man_page target summary)
    set(out ${ORVO_PACKAGE_FILES}/${target}.1)
    add_custom_command(OUTPUT ${out}.gz
        COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${target}> -DNAME=${target}
            "-DSUMMARY=${summary}" -DOUT=${out} -DVERSION=${PROJECT_VERSION} ${ARGN}
            -P ${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake
        DEPENDS ${target} ${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake ${PROJECT_SOURCE_DIR}/cmake/HelpOf.cmake
        COMMENT "Man page of ${target} from its help texts")
    set(ORVO_GENERATED ${ORVO_GENERATED} ${out}.gz PARENT_SCOPE)
endfunction()
orvo_man_page(orvoview-cli "command-line companion of OrvoView" -DCOMMANDS=ON)
orvo_man_page(orvo-reportgen "writes Orvo power recorder reports for tests")
if(ORVO_BUILD_GUI)
    orvo_man_page(orvoview "files, shows and prints Orvo power recorder reports")
endif()
set(ORVO_COMPLETION ${ORVO_PACKAGE_FILES}/orvoview-cli.bash)
add_custom_command(OUTPUT ${ORVO_COMPLETION}
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:orvoview-cli> -DOUT=${ORVO_COMPLETION}
        -P ${PROJECT_SOURCE_DIR}/cmake/BashCompletion.cmake
    DEPENDS orvoview-cli ${PROJECT_SOURCE_DIR}/cmake/BashCompletion.cmake ${PROJECT_SOURCE_DIR}/cmake/HelpOf.cmake
    COMMENT "Bash completion of orvoview-cli from its help texts")
add_custom_command(OUTPUT ${ORVO_PACKAGE_FILES}/changelog.gz
    COMMAND gzip -9nc ${ORVO_PACKAGE_FILES}/changelog > ${ORVO_PACKAGE_FILES}/changelog.gz
    DEPENDS ${ORVO_PACKAGE_FILES}/changelog)
add_custom_target(orvoview-package-files ALL
    DEPENDS ${ORVO_GENERATED} ${ORVO_COMPLETION} ${ORVO_PACKAGE_FILES}/changelog.gz)

install(TARGETS orvoview-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A developer's tool: installed for whoever wants it, outside the users' PATH.
install(TARGETS orvo-reportgen RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/orvoview)
install(FILES ${ORVO_GENERATED} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${ORVO_COMPLETION} DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
    RENAME orvoview-cli)
install(FILES ${ORVO_PACKAGE_FILES}/copyright ${ORVO_PACKAGE_FILES}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/orvoview)

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
set(CPACK_PACKAGE_CONTACT "${ORVO_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Receive, file, show and print Orvo power recorder reports")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "OrvoView receives the printed report of an Orvo power recorder over a\n"
    "serial line, or reads a captured report file, files the measured days\n"
    "under customers and circuits in one data file (the same format as the\n"
    "Windows program), and shows, prints and exports daily and monthly\n"
    "reports. Includes the command-line companion orvoview-cli.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${ORVO_HOMEPAGE}")
# The Qt libraries come from the binaries' own needs; the drawing code asks for IPA Gothic and
# Qt's own dialogs speak Japanese through its translations.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-ipafont-gothic, libqt6svg6, libxlsxwriter4, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
