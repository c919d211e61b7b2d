# What `cmake --install` puts where, and the Debian package `cpack -G DEB` makes of it.
# Linux desktops find the game through its desktop entry, its AppStream metainfo and its icons
# in the hicolor theme; the names match the one the program gives itself (calcaro).
include(GNUInstallDirs)
include(${CMAKE_CURRENT_LIST_DIR}/CalcaroVersion.cmake)

set(calcaro_resources ${PROJECT_SOURCE_DIR}/resources)
# Folders get the same modes whatever the umask of whoever builds the package.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS calcaro RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

if(NOT UNIX OR APPLE)
    return()
endif()

install(FILES ${calcaro_resources}/calcaro.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications RENAME ${CALCARO_DESKTOP_ID}.desktop)
configure_file(${calcaro_resources}/org.calcaro.calcaro.metainfo.xml.in
    ${PROJECT_BINARY_DIR}/org.calcaro.calcaro.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/org.calcaro.calcaro.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# Every size a desktop asks for: menus take 16 to 48 pixels, software centres 64 and more.
foreach(size 16 24 32 48 64 128 256)
    install(FILES ${calcaro_resources}/icons/calcaro-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        RENAME calcaro.png)
endforeach()
install(FILES ${calcaro_resources}/icons/calcaro.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Debian wants the copyright notice and the changelog, the changelog gzipped with no timestamp
# inside (gzip -n) as lintian asks. The documentation folder takes the package's name, not the
# project's (GNUInstallDirs would say share/doc/Calcaro).
set(calcaro_docdir ${CMAKE_INSTALL_DATADIR}/doc/calcaro)
find_program(CALCARO_GZIP gzip REQUIRED)
function(calcaro_gzip source target)
    execute_process(
        COMMAND ${CALCARO_GZIP} -9 -n -c ${source}
        OUTPUT_FILE ${target}
        COMMAND_ERROR_IS_FATAL ANY)
endfunction()
calcaro_gzip(${calcaro_resources}/debian/changelog ${PROJECT_BINARY_DIR}/changelog.gz)
install(FILES ${calcaro_resources}/debian/copyright ${PROJECT_BINARY_DIR}/changelog.gz
    DESTINATION ${calcaro_docdir})

# The manual page calcaro(6), in French, the game's language, and in English for other locales.
foreach(page "fr;calcaro.6.in;fr/man6" "en;calcaro.en.6.in;man6")
    list(GET page 0 lang)
    list(GET page 1 source)
    list(GET page 2 destination)
    set(configured ${PROJECT_BINARY_DIR}/man/${lang}/calcaro.6)
    configure_file(${calcaro_resources}/${source} ${configured} @ONLY)
    calcaro_gzip(${configured} ${configured}.gz)
    install(FILES ${configured}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/${destination})
endforeach()

# What scripts/check-package.sh needs to know of this build, so that it never reads the sources.
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/calcaro-package.env CONTENT [[
calcaro_version=@CALCARO_DISPLAY_VERSION@
calcaro_numeric_version=@PROJECT_VERSION@
calcaro_release_date=@CALCARO_RELEASE_DATE@
calcaro_desktop_id=@CALCARO_DESKTOP_ID@
]] @ONLY)

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
# The libraries come from dpkg-shlibdeps; the font is looked up by name at run time, and Qt's
# French texts are loaded from qtbase_fr.qm.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, qt6-translations-l10n")
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

# Two builds of the same commit, in any folders, give the same package byte for byte: every file
# and folder of the package is dated SOURCE_DATE_EPOCH (cmake/SourceDate.cmake) and the archives
# inside are written in a fixed order with that date.
include(${CMAKE_CURRENT_LIST_DIR}/SourceDate.cmake)
if(CALCARO_SOURCE_DATE_EPOCH)
    set(CPACK_CALCARO_SOURCE_DATE_EPOCH ${CALCARO_SOURCE_DATE_EPOCH})
    set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/ReproducibleStage.cmake)
    set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/ReproducibleStage.cmake)
else()
    message(WARNING "No SOURCE_DATE_EPOCH and no git history: the package will carry today's dates")
endif()

include(CPack)
