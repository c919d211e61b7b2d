#!/usr/bin/env bash
# Builds the release tree build-package and checks what reaches the players' machines: the
# installed tree (desktop entry, AppStream metainfo, icons), the Debian package (contents,
# dependencies, lintian) and the Windows resource script (icon and version details, compiled
# with the MinGW windres). Installs the tools it needs when they are missing; safe to run again.
set -euo pipefail
calcaro_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$calcaro_root/scripts/deps.sh"
calcaro_ensure_packages desktop-file-utils appstream lintian binutils-mingw-w64-x86-64 dpkg-dev file

build=$calcaro_root/build-package
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

# Runs a checking tool quietly; shows what it said only when it fails.
quiet() {
    local out=$work/tool.log
    if ! "$@" >"$out" 2>&1; then
        cat "$out" >&2
        fail "$*"
    fi
}

# The version the game shows, as the newest release of the metainfo gives it.
metainfo_source=$calcaro_root/resources/org.calcaro.calcaro.metainfo.xml
version=$(grep -o -m1 '<release version="[^"]*"' "$metainfo_source" | cut -d'"' -f2)
[ -n "$version" ] || fail "no release version in $metainfo_source"
arch=$(dpkg --print-architecture)

echo "== Package checks for Calcaro CM1 $version ($arch)"
quiet calcaro_build "$build" -DCMAKE_BUILD_TYPE=Release -DCALCARO_BUILD_TESTS=OFF \
    -DCALCARO_BUILD_BENCH=OFF -DCMAKE_INSTALL_PREFIX=/usr
echo "ok: release tree built in build-package"

stage=$work/stage
DESTDIR=$stage quiet cmake --install "$build"
desktop=$stage/usr/share/applications/calcaro.desktop
metainfo=$stage/usr/share/metainfo/org.calcaro.calcaro.metainfo.xml

[ -x "$stage/usr/bin/calcaro" ] || fail "the staged tree has no executable usr/bin/calcaro"
for size in 32 48; do
    icon=$stage/usr/share/icons/hicolor/${size}x$size/apps/calcaro.png
    [ -f "$icon" ] || fail "the staged tree has no ${size}x$size icon"
    file -b "$icon" | grep -q "PNG image data, $size x $size," ||
        fail "the ${size}x$size icon is $(file -b "$icon")"
done
[ -f "$desktop" ] && [ -f "$metainfo" ] || fail "the staged tree lacks the desktop entry or the metainfo"
echo "ok: cmake --install stages usr/bin/calcaro, the desktop entry, the metainfo and both icons at their sizes"

quiet desktop-file-validate "$desktop"
# desktop-file-validate takes any command and icon name; they must be the ones installed.
exec_cmd=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop" | head -n 1)
# The "Grand écran" action starts the same program at twice the size.
grep -qx "Exec=env QT_SCALE_FACTOR=2 $exec_cmd" "$desktop" ||
    fail "the desktop entry has no \"Grand écran\" action starting $exec_cmd at twice the size"
icon_name=$(sed -n 's/^Icon=//p' "$desktop")
[ -n "$exec_cmd" ] && [ -x "$stage/usr/bin/$exec_cmd" ] ||
    fail "the desktop entry starts '$exec_cmd', which is not in usr/bin"
for size in 32 48; do
    [ -n "$icon_name" ] && [ -f "$stage/usr/share/icons/hicolor/${size}x$size/apps/$icon_name.png" ] ||
        fail "the desktop entry's icon '$icon_name' has no ${size}x$size picture"
done
echo "ok: desktop-file-validate accepts calcaro.desktop; it starts usr/bin/$exec_cmd and shows the $icon_name icon"

quiet appstreamcli validate --no-net "$metainfo"
quiet appstreamcli validate-tree --no-net "$stage"
# Software centres treat an application without a content rating as unrated; this appstreamcli
# does not insist on it.
grep -q '<content_rating type="oars-1.1"' "$metainfo" || fail "the metainfo has no OARS 1.1 content rating"
echo "ok: appstreamcli validates the metainfo alone and with the desktop entry it launches; OARS rating present"

# The program names its desktop entry itself (the Wayland app id); the two must agree.
app_id=$(grep -o 'setDesktopFileName(QStringLiteral("[^"]*")' \
    "$calcaro_root/windows/calcaroapplication.cpp" | cut -d'"' -f2 || true)
[ "$app_id.desktop" = "$(basename "$desktop")" ] ||
    fail "the program calls itself '$app_id', the desktop entry is $(basename "$desktop")"
grep -q '<launchable type="desktop-id">calcaro.desktop</launchable>' "$metainfo" ||
    fail "the metainfo does not launch calcaro.desktop"
echo "ok: setDesktopFileName, the desktop entry and the metainfo launchable all say calcaro"

rm -f "$build"/calcaro_*.deb
(cd "$build" && quiet cpack -G DEB)
deb=$build/calcaro_${version}_$arch.deb
[ -f "$deb" ] || fail "cpack made no $(basename "$deb"): $(ls "$build"/*.deb 2>/dev/null)"
echo "ok: cpack -G DEB made $(basename "$deb")"

dpkg-deb -c "$deb" >"$work/listing"
for path in usr/bin/calcaro usr/share/applications/calcaro.desktop \
    usr/share/metainfo/org.calcaro.calcaro.metainfo.xml \
    usr/share/icons/hicolor/32x32/apps/calcaro.png usr/share/icons/hicolor/48x48/apps/calcaro.png \
    usr/share/doc/calcaro/copyright usr/share/doc/calcaro/changelog.gz; do
    grep -q " \./$path\$" "$work/listing" || fail "the package does not hold $path"
done
if awk '$2 != "root/root"' "$work/listing" | grep -q .; then
    fail "files not owned by root in the package: $(awk '$2 != "root/root"' "$work/listing")"
fi
grep -q '^-rwxr-xr-x .* \./usr/bin/calcaro$' "$work/listing" || fail "usr/bin/calcaro is not mode 755"
dpkg-deb -x "$deb" "$work/unpacked"
file -b "$work/unpacked/usr/bin/calcaro" | grep -q ', stripped' ||
    fail "usr/bin/calcaro is not stripped in the package"
echo "ok: dpkg-deb -c lists the program (root, 755, stripped), the desktop entry, the metainfo, the icons and the documents"

[ "$(dpkg-deb -f "$deb" Package)" = calcaro ] || fail "the package is not named calcaro"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] ||
    fail "package version $(dpkg-deb -f "$deb" Version), metainfo release $version"
depends=$(dpkg-deb -f "$deb" Depends)
for dep in libqt6widgets6 libqt6gui6 fonts-liberation2; do
    [[ ", $depends," =~ ,\ $dep[\ ,] ]] || fail "Depends lacks $dep: $depends"
done
echo "ok: dpkg-deb -f gives version $version and Depends with libqt6widgets6, libqt6gui6 and fonts-liberation2"

# lintian warns when run as root; that line says nothing about the package.
if ! lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1; then
    grep -v 'running with root privileges' "$work/lintian.log" >&2 || true
    fail "lintian found errors in $(basename "$deb")"
fi
warnings=$(grep -c '^W: ' "$work/lintian.log" || true)
echo "ok: lintian finds no errors in the package (warnings: $warnings)"

rc=$build/windows/calcaro.rc
[ -f "$rc" ] || fail "the configured resource script $rc is missing"
res=$work/calcaro-rc.o
quiet x86_64-w64-mingw32-windres --preprocessor=gcc --preprocessor-arg=-E --preprocessor-arg=-xc \
    --preprocessor-arg=-DRC_INVOKED -i "$rc" -O coff -o "$res"
strings -el "$res" >"$work/strings"
for text in "$version" Calcaro.exe Calcaro "Calcaro CM1" 040904B0; do
    grep -qxF "$text" "$work/strings" || fail "the compiled resources lack the UTF-16 text \"$text\""
done
# Reading the compiled resources back shows the numbers and the icon group as Windows sees them.
x86_64-w64-mingw32-windres -i "$res" -O rc >"$work/decompiled.rc"
project_version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
numeric=${project_version//./, }
grep -qxF " FILEVERSION $numeric" "$work/decompiled.rc" || fail "FILEVERSION is not $numeric"
grep -qxF " PRODUCTVERSION $numeric" "$work/decompiled.rc" || fail "PRODUCTVERSION is not $numeric"
grep -qF 'VALUE "Translation", 0x409, 1200' "$work/decompiled.rc" || fail "the translation is not 0x409, 1200"
grep -qF '"IDI_ICON1" 14 /* RT_GROUP_ICON */' "$work/decompiled.rc" || fail "no IDI_ICON1 icon group"
grep -qE '^ *"\\040\\040\\000\\000", 1, 24,' "$work/decompiled.rc" || fail "the icon lacks its 32x32 image"
grep -qE '^ *"\\060\\060\\000\\000", 1, 8,' "$work/decompiled.rc" || fail "the icon lacks its 48x48 image"
echo "ok: windres compiles calcaro.rc: version $version ($numeric), Calcaro.exe, US English Unicode, icon with 32 and 48 pixel images"

echo "== package checks passed: $(basename "$deb")"
