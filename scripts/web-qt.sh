#!/usr/bin/env bash
# Builds Qt Core for WebAssembly (static, no threads) from Debian's own qt6-base source package
# with Debian's emscripten, into a cache outside the sources:
#   ${XDG_CACHE_HOME:-~/.cache}/calcaro/qt-<version>-wasm-<key>
# where the key is made of the Qt version, the options below, the emscripten version and its CMake
# toolchain file, so that a change to any of them builds afresh and going back reuses the earlier
# build. The link ${XDG_CACHE_HOME:-~/.cache}/calcaro/qt-web names the build in use, and
# emsdk-shim beside it is the emscripten folder that Qt's CMake files insist on (cmake/web.cmake
# finds both there). The first build takes 3 to 5 minutes on two processors; after that this
# script only checks the cache.
#   CALCARO_QT_ARCHIVES=DIR  unpack <cache folder name>.tar.xz from DIR instead of building, when
#                            DIR holds it with its .sha256 (the key must be the same)
#   --archive DIR            write that archive and its sum into DIR, for the Qt in use
set -euo pipefail
calcaro_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$calcaro_root/scripts/deps.sh"
source "$calcaro_root/scripts/qt-cache.sh"
calcaro_qt_parse_args "Qt Core for WebAssembly" "$@"
calcaro_ensure_packages "${calcaro_packages_web_qt[@]}"

# Core alone. Qt's own copies of zlib, PCRE2 and double-conversion: Debian's emscripten has none
# built and its cache is read-only. QT_FEATURE_exceptions is no feature of this Qt; its only
# effect is that programs linking Qt get -sDISABLE_EXCEPTION_CATCHING=0 instead of =1, under
# which a throw aborts the program instead of reaching the game's catch.
qt_options=(
    -DQT_QMAKE_TARGET_MKSPEC=wasm-emscripten
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DFEATURE_thread=OFF
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_gui=OFF -DFEATURE_widgets=OFF -DFEATURE_network=OFF -DFEATURE_sql=OFF
    -DFEATURE_xml=OFF -DFEATURE_dbus=OFF -DFEATURE_concurrent=OFF -DFEATURE_testlib=OFF
    -DFEATURE_printsupport=OFF -DFEATURE_icu=OFF -DFEATURE_glib=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF
    -DQT_FEATURE_exceptions=ON
)
emscripten=/usr/share/emscripten
toolchain=$emscripten/cmake/Modules/Platform/Emscripten.cmake

# Qt reads the emscripten folder from $EMSDK/.emscripten, relative to $EMSDK, and runs emcc there.
# These emcc and em++ also give NodeSource's node (which, unlike Debian's, does not look in
# /usr/share/nodejs) the node modules emscripten runs, so they are what programs build with too.
shim=$calcaro_qt_cache/emsdk-shim
mkdir -p "$shim/upstream/emscripten"
echo "EMSCRIPTEN_ROOT = emsdk_path + '/upstream/emscripten'" >"$shim/.emscripten"
for tool in emcc em++; do
    wrapper=$shim/upstream/emscripten/$tool
    cat >"$wrapper.part" <<EOF
#!/bin/sh
NODE_PATH=/usr/share/nodejs\${NODE_PATH:+:\$NODE_PATH} exec /usr/bin/$tool "\$@"
EOF
    chmod +x "$wrapper.part"
    mv "$wrapper.part" "$wrapper"
done
export EMSDK=$shim NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
node_js=$(sed -n "s/^NODE_JS = '\([^']*\)'.*/\1/p" "$emscripten/.emscripten")
"$node_js" -e 'require("acorn")' 2>/dev/null || {
    echo "$node_js finds no acorn module, even in /usr/share/nodejs: emscripten cannot run." >&2
    exit 1
}

key=$({
    echo "$calcaro_qt_version"
    printf '%s\n' "${qt_options[@]}"
    cat "$emscripten/emscripten-version.txt" "$toolchain"
} | sha256sum | cut -c1-12)
name=qt-$calcaro_qt_version-wasm-$key

# qt_add_executable copies the web page that loads a program from the wasm platform plugin,
# which comes with Qt Gui; without Gui the files must come from the source.
calcaro_qt_complete() {
    mkdir -p "$1/plugins/platforms"
    cp "$2"/src/plugins/platforms/wasm/{wasm_shell.html,qtloader.js,qtlogo.svg} \
        "$1/plugins/platforms/"
}
calcaro_qt_provide "Qt $calcaro_qt_version for WebAssembly" "$name" "$toolchain" \
    "3 to 5 minutes" "${qt_options[@]}"
ln -sfn "$name" "$calcaro_qt_cache/qt-web"
[ -z "$calcaro_qt_archive_to" ] || calcaro_qt_write_archive "$name" "$calcaro_qt_archive_to"
