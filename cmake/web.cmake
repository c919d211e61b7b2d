# Toolchain for the game as WebAssembly: Debian's emscripten and the Qt Core that
# scripts/web-qt.sh builds, with the emsdk-shaped folder it makes beside it. Qt's host tools
# (moc, rcc) are Debian's own.
include(${CMAKE_CURRENT_LIST_DIR}/QtCache.cmake)
set(calcaro_web_qt "${calcaro_qt_cache}/qt-web")
set(calcaro_emsdk "${calcaro_qt_cache}/emsdk-shim")
if(NOT EXISTS "${calcaro_web_qt}/lib/cmake/Qt6/qt.toolchain.cmake"
        OR NOT EXISTS "${calcaro_emsdk}/.emscripten")
    message(FATAL_ERROR "No Qt for WebAssembly in ${calcaro_web_qt}: "
        "bash scripts/web-qt.sh builds it (once, 3 to 5 minutes) or unpacks its archive.")
endif()
file(REAL_PATH "${calcaro_web_qt}" calcaro_web_qt)

# Qt compares the emscripten of every program it links with the one under $EMSDK. The emcc and
# em++ there find emscripten's node modules whichever node is installed.
set(ENV{EMSDK} "${calcaro_emsdk}")
set(CMAKE_C_COMPILER "${calcaro_emsdk}/upstream/emscripten/emcc")
set(CMAKE_CXX_COMPILER "${calcaro_emsdk}/upstream/emscripten/em++")
set(QT_CHAINLOAD_TOOLCHAIN_FILE /usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
include("${calcaro_web_qt}/lib/cmake/Qt6/qt.toolchain.cmake")
