#!/usr/bin/env bash
# Builds Qt for Windows (x86_64-w64-mingw32, shared libraries) from Debian's own qt6-base source
# package, with only what the game needs, into a cache outside the sources:
#   ${XDG_CACHE_HOME:-~/.cache}/calcaro/qt-<version>-mingw64-<key>
# where the key is made of the Qt version, the options below and the cross toolchain file, so that
# a change to any of them builds afresh and going back reuses the earlier build. The link
# ${XDG_CACHE_HOME:-~/.cache}/calcaro/qt-windows names the build in use (cmake/windows.cmake finds
# Qt there). The first build takes 30 to 45 minutes on two processors; after that this script
# only checks the cache.
#   CALCARO_QT_ARCHIVES=DIR  unpack <cache folder name>.tar.xz from DIR instead of building, when
#                            DIR holds it with its .sha256 (the key must be the same)
#   --archive DIR            write that archive and its sum into DIR, for the Qt in use
set -euo pipefail
calcaro_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$calcaro_root/scripts/deps.sh"
source "$calcaro_root/scripts/qt-cache.sh"
calcaro_qt_parse_args "Qt for Windows" "$@"
calcaro_ensure_packages "${calcaro_packages_windows_qt[@]}"

# Core, Gui, Widgets and Test; the windows, offscreen and minimal platforms, the Windows styles,
# JPEG for the quit picture. Debian's source lacks Qt's copy of wintab.h, hence no tablet events;
# the Windows platform uses OpenGL classes under dynamicgl alone, so both go together.
qt_options=(
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF
    -DFEATURE_dynamicgl=OFF -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF
    -DFEATURE_xml=OFF -DFEATURE_gif=OFF -DFEATURE_jpeg=ON -DFEATURE_tabletevent=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_freetype=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
)
toolchain=$calcaro_root/cmake/mingw64.cmake

key=$({ echo "$calcaro_qt_version"; printf '%s\n' "${qt_options[@]}"; cat "$toolchain"; } |
    sha256sum | cut -c1-12)
name=qt-$calcaro_qt_version-mingw64-$key
calcaro_qt_provide "Qt $calcaro_qt_version for Windows" "$name" "$toolchain" "30 to 45 minutes" \
    "${qt_options[@]}"
ln -sfn "$name" "$calcaro_qt_cache/qt-windows"
[ -z "$calcaro_qt_archive_to" ] || calcaro_qt_write_archive "$name" "$calcaro_qt_archive_to"
