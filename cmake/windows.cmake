# Cross toolchain for the game on 64-bit Windows: MinGW-w64 and the Qt for Windows that
# scripts/windows-qt.sh builds. Qt's host tools (moc, rcc, uic) are Debian's own.
include(${CMAKE_CURRENT_LIST_DIR}/mingw64.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/QtCache.cmake)

set(calcaro_windows_qt "${calcaro_qt_cache}/qt-windows")
if(NOT EXISTS "${calcaro_windows_qt}/lib/cmake/Qt6/Qt6Config.cmake")
    message(FATAL_ERROR "No Qt for Windows in ${calcaro_windows_qt}: "
        "bash scripts/windows-qt.sh builds it (once, 30 to 45 minutes).")
endif()
file(REAL_PATH "${calcaro_windows_qt}" calcaro_windows_qt)
list(APPEND CMAKE_FIND_ROOT_PATH "${calcaro_windows_qt}")
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
