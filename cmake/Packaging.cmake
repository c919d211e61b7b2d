# What `cmake --install` puts where, and the Debian package `cpack -G DEB` makes of it.
# Linux desktops find the game through its desktop entry, its AppStream metainfo and its icons
# in the hicolor theme; the names match the one the program gives itself (calcaro).
include(GNUInstallDirs)
include(${CMAKE_CURRENT_LIST_DIR}/CalcaroVersion.cmake)

set(calcaro_resources ${PROJECT_SOURCE_DIR}/resources)

install(TARGETS calcaro RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

if(NOT UNIX OR APPLE)
    return()
endif()

install(FILES ${calcaro_resources}/calcaro.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${calcaro_resources}/org.calcaro.calcaro.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 32 48)
    install(FILES ${calcaro_resources}/icons/calcaro-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        RENAME calcaro.png)
endforeach()

# Debian wants the copyright notice and the changelog, the changelog gzipped with no timestamp
# inside (gzip -n) as lintian asks. The documentation folder takes the package's name, not the
# project's (GNUInstallDirs would say share/doc/Calcaro).
set(calcaro_docdir ${CMAKE_INSTALL_DATADIR}/doc/calcaro)
find_program(CALCARO_GZIP gzip REQUIRED)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
    ${calcaro_resources}/debian/changelog)
execute_process(
    COMMAND ${CALCARO_GZIP} -9 -n -c ${calcaro_resources}/debian/changelog
    OUTPUT_FILE ${PROJECT_BINARY_DIR}/changelog.gz
    COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${calcaro_resources}/debian/copyright ${PROJECT_BINARY_DIR}/changelog.gz
    DESTINATION ${calcaro_docdir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME calcaro)
set(CPACK_PACKAGE_VENDOR "The Calcaro team")
set(CPACK_PACKAGE_CONTACT "L'équipe Calcaro <calcaro@example.org>")
set(CPACK_PACKAGE_VERSION ${CALCARO_DISPLAY_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_NAME calcaro)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_VERSION ${CALCARO_DISPLAY_VERSION})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
# Debian keeps the games section for programs in /usr/games; this one lives in /usr/bin.
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from dpkg-shlibdeps; the font is looked up by name at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation2)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# CPack puts the summary on the first line of the Description field, the rest below it.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "integer division practice against the clock, for children")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Calcaro CM1 is a small game in French for primary-school children
practising integer division. The child sees a division such as 56 : 8,
types the quotient and presses Enter before the time bar is full.
Questions come in series of ten, with the score always in view.

Level 1 practises the multiplication tables, level 2 divisions by
10, 20 ... 90 and level 3 divisions with a remainder; three speeds give
10, 5 or 2.5 seconds per question.")

include(CPack)
