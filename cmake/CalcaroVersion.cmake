# The version as the game shows it, "1.00" for 1.0: the minor number always takes two digits.
# The Windows version details and the Debian package both use it.
set(CALCARO_DISPLAY_VERSION_MINOR ${PROJECT_VERSION_MINOR})
if(PROJECT_VERSION_MINOR LESS 10)
    set(CALCARO_DISPLAY_VERSION_MINOR 0${PROJECT_VERSION_MINOR})
endif()
set(CALCARO_DISPLAY_VERSION ${PROJECT_VERSION_MAJOR}.${CALCARO_DISPLAY_VERSION_MINOR})
