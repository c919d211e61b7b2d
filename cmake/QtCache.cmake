# Where scripts/qt-cache.sh keeps the Qt builds for other systems, for the toolchains that use
# them: ${XDG_CACHE_HOME:-~/.cache}/calcaro, as in the scripts. XDG_CACHE_HOME is the one way to
# put it elsewhere.
include_guard(GLOBAL)
if(NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
    set(calcaro_qt_cache "$ENV{XDG_CACHE_HOME}/calcaro")
else()
    set(calcaro_qt_cache "$ENV{HOME}/.cache/calcaro")
endif()
