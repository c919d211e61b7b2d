# The version is written here once; the program, the AppStream metainfo, the manual page, the
# Windows resource script and the Debian package all take it from these variables.
include_guard(GLOBAL)

# The version as the game shows it, "1.00" for 1.0: the minor number always takes two digits.
# The four numbers of the Windows version record come from project(VERSION 1.0.0.0).
set(CALCARO_DISPLAY_VERSION_MINOR ${PROJECT_VERSION_MINOR})
if(PROJECT_VERSION_MINOR LESS 10)
    set(CALCARO_DISPLAY_VERSION_MINOR 0${PROJECT_VERSION_MINOR})
endif()
set(CALCARO_DISPLAY_VERSION ${PROJECT_VERSION_MAJOR}.${CALCARO_DISPLAY_VERSION_MINOR})
# The day this version was released, as the metainfo and the manual page give it.
set(CALCARO_RELEASE_DATE 2026-12-08)
# The name of the desktop entry, which the program also gives itself (the Wayland app id).
set(CALCARO_DESKTOP_ID calcaro)

# The Debian changelog names the version of the package in its own words; its newest entry
# must be this version, released on this day.
set(calcaro_changelog ${PROJECT_SOURCE_DIR}/resources/debian/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${calcaro_changelog})
file(STRINGS ${calcaro_changelog} calcaro_changelog_top LIMIT_COUNT 1 ENCODING UTF-8)
if(NOT calcaro_changelog_top MATCHES "^calcaro \\(([^)]+)\\)"
   OR NOT CMAKE_MATCH_1 STREQUAL CALCARO_DISPLAY_VERSION)
    message(FATAL_ERROR "resources/debian/changelog starts with '${calcaro_changelog_top}', "
        "not with version ${CALCARO_DISPLAY_VERSION} as CMakeLists.txt says")
endif()
file(STRINGS ${calcaro_changelog} calcaro_changelog_trailer REGEX "^ -- " LIMIT_COUNT 1
    ENCODING UTF-8)
set(calcaro_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
string(REGEX MATCH "([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9])" calcaro_changelog_date
    "${calcaro_changelog_trailer}")
list(FIND calcaro_months "${CMAKE_MATCH_2}" calcaro_month)
math(EXPR calcaro_month "${calcaro_month} + 1")
if(calcaro_month LESS 10)
    set(calcaro_month 0${calcaro_month})
endif()
if(NOT "${CMAKE_MATCH_3}-${calcaro_month}-${CMAKE_MATCH_1}" STREQUAL CALCARO_RELEASE_DATE)
    message(FATAL_ERROR "resources/debian/changelog dates version ${CALCARO_DISPLAY_VERSION} "
        "'${calcaro_changelog_date}', CMake says ${CALCARO_RELEASE_DATE}")
endif()
