#!/usr/bin/env bash
# Builds the Debian package with the package workflow of CMakePresets.json (build-package) and
# checks what reaches the players' machines with the tools distributions run: the installed tree
# (desktop entry, AppStream metainfo and the catalog software centres build from it, icons, manual
# pages), the Debian package (contents, dependencies, hardening, lintian), a second build of the
# same sources in another folder that must give the same package byte for byte, the same for the
# Windows build's .msi and zip (with Qt for Windows from scripts/windows-qt.sh, built once), and
# the Windows resource script (icon and version details, compiled with the MinGW windres).
# Installs the tools it needs when they are missing; safe to run again.
set -euo pipefail
calcaro_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$calcaro_root/scripts/deps.sh"
calcaro_ensure_packages "${calcaro_packages_distribution[@]}" "${calcaro_packages_windows_qt[@]}" \
    "${calcaro_packages_windows[@]}"

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

# Every file of the package is dated by the last commit, so that any two builds of it agree.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git -C "$calcaro_root" log -1 --format=%ct 2>/dev/null) ||
        fail "not a git clone: set SOURCE_DATE_EPOCH to the date of the sources"
fi
export SOURCE_DATE_EPOCH
arch=$(dpkg --print-architecture)

rm -f "$build"/calcaro_*.deb
(cd "$calcaro_root" && quiet cmake --workflow --preset package)
# What CMake says of this build (the version is written only there).
from_cmake() { sed -n "s/^$1=//p" "$build/calcaro-package.env"; }
version=$(from_cmake calcaro_version)
numeric_version=$(from_cmake calcaro_numeric_version)
release_date=$(from_cmake calcaro_release_date)
desktop_id=$(from_cmake calcaro_desktop_id)
deb=$build/calcaro_${version}_$arch.deb
echo "== Package checks for Calcaro CM1 $version ($arch)"
[ -f "$deb" ] || fail "the package workflow made no $(basename "$deb"): $(ls "$build"/*.deb 2>/dev/null)"
echo "ok: cmake --workflow --preset package built build-package and made $(basename "$deb")"

stage=$work/stage
DESTDIR=$stage quiet cmake --install "$build"
desktop=$stage/usr/share/applications/$desktop_id.desktop
metainfo=$stage/usr/share/metainfo/org.calcaro.calcaro.metainfo.xml
icon_sizes=(16 24 32 48 64 128 256)

[ -x "$stage/usr/bin/calcaro" ] || fail "the staged tree has no executable usr/bin/calcaro"
for size in "${icon_sizes[@]}"; do
    icon=$stage/usr/share/icons/hicolor/${size}x$size/apps/calcaro.png
    [ -f "$icon" ] || fail "the staged tree has no ${size}x$size icon"
    file -b "$icon" | grep -q "PNG image data, $size x $size," ||
        fail "the ${size}x$size icon is $(file -b "$icon")"
done
file -b "$stage/usr/share/icons/hicolor/scalable/apps/calcaro.svg" | grep -q '^SVG' ||
    fail "the staged tree has no scalable SVG icon"
[ -f "$desktop" ] && [ -f "$metainfo" ] || fail "the staged tree lacks the desktop entry or the metainfo"
for page in usr/share/man/man6/calcaro.6.gz usr/share/man/fr/man6/calcaro.6.gz; do
    [ -f "$stage/$page" ] || fail "the staged tree has no manual page $page"
done
echo "ok: cmake --install stages usr/bin/calcaro, the desktop entry, the metainfo, the manual pages"
echo "    (French and English) and the icon at ${icon_sizes[*]} pixels and as SVG"

# desktop-file-validate returns success on hints; it must have nothing at all to say.
desktop-file-validate "$desktop" >"$work/desktop.log" 2>&1 || true
if [ -s "$work/desktop.log" ]; then
    cat "$work/desktop.log" >&2
    fail "desktop-file-validate has remarks on $desktop_id.desktop"
fi
# desktop-file-validate takes any command and icon name; they must be the ones installed.
exec_cmd=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop" | head -n 1)
# The "Grand écran" action starts the same program as large as the screen allows.
grep -qx "Exec=env CALCARO_GRAND_ECRAN=1 $exec_cmd" "$desktop" ||
    fail "the desktop entry has no \"Grand écran\" action starting $exec_cmd enlarged"
icon_name=$(sed -n 's/^Icon=//p' "$desktop" | head -n 1)
[ -n "$exec_cmd" ] && [ -x "$stage/usr/bin/$exec_cmd" ] ||
    fail "the desktop entry starts '$exec_cmd', which is not in usr/bin"
for size in "${icon_sizes[@]}"; do
    [ -n "$icon_name" ] && [ -f "$stage/usr/share/icons/hicolor/${size}x$size/apps/$icon_name.png" ] ||
        fail "the desktop entry's icon '$icon_name' has no ${size}x$size picture"
done
echo "ok: desktop-file-validate has nothing to say on $desktop_id.desktop; it starts usr/bin/$exec_cmd and shows the $icon_name icon"

quiet appstreamcli validate --pedantic --no-net "$metainfo"
quiet appstreamcli validate-tree --pedantic --no-net "$stage"
grep -q '<content_rating type="oars-1.1"' "$metainfo" || fail "the metainfo has no OARS 1.1 content rating"
grep -q "<release version=\"$version\" date=\"$release_date\"" "$metainfo" ||
    fail "the metainfo's release is not $version of $release_date"
grep -q "<launchable type=\"desktop-id\">$desktop_id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $desktop_id.desktop"
echo "ok: appstreamcli validate --pedantic finds nothing in the metainfo, alone or with the desktop entry;"
echo "    it launches $desktop_id.desktop, rates the content (OARS 1.1) and releases $version"

# The catalog GNOME Software and KDE Discover read, built as a distribution builds it.
compose=$work/compose
if ! appstreamcli compose --no-color --origin=calcaro --result-root="$compose" "$stage" \
    >"$work/compose.log" 2>&1; then
    cat "$work/compose.log" >&2
    fail "appstreamcli compose rejects the installed tree"
fi
if grep -E '^ *E: ' "$work/compose.log" >&2; then
    fail "appstreamcli compose reports errors"
fi
catalog=$(find "$compose" -name 'calcaro.xml.gz' | head -n 1)
[ -n "$catalog" ] || fail "appstreamcli compose wrote no catalog: $(cat "$work/compose.log")"
zcat "$catalog" >"$work/catalog.xml"
grep -q '<id>org.calcaro.calcaro</id>' "$work/catalog.xml" ||
    fail "the catalog lacks org.calcaro.calcaro: $(cat "$work/compose.log")"
for size in 64 128; do
    grep -q "<icon type=\"cached\" width=\"$size\" height=\"$size\">" "$work/catalog.xml" ||
        fail "the catalog lacks the ${size}x$size cached icon"
    find "$compose" -path "*/icons/*/${size}x$size/*.png" | grep -q . ||
        fail "appstreamcli compose exported no ${size}x$size icon"
done
echo "ok: appstreamcli compose accepts the installed tree: the catalog holds org.calcaro.calcaro with its 64 and 128 pixel icons"

dpkg-deb -c "$deb" >"$work/listing"
for path in usr/bin/calcaro "usr/share/applications/$desktop_id.desktop" \
    usr/share/metainfo/org.calcaro.calcaro.metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/calcaro.svg \
    usr/share/man/man6/calcaro.6.gz usr/share/man/fr/man6/calcaro.6.gz \
    usr/share/doc/calcaro/copyright usr/share/doc/calcaro/changelog.gz; do
    grep -q " \./$path\$" "$work/listing" || fail "the package does not hold $path"
done
for size in "${icon_sizes[@]}"; do
    grep -q " \./usr/share/icons/hicolor/${size}x$size/apps/calcaro.png\$" "$work/listing" ||
        fail "the package does not hold the ${size}x$size icon"
done
if awk '$2 != "root/root"' "$work/listing" | grep -q .; then
    fail "files not owned by root in the package: $(awk '$2 != "root/root"' "$work/listing")"
fi
grep -q '^-rwxr-xr-x .* \./usr/bin/calcaro$' "$work/listing" || fail "usr/bin/calcaro is not mode 755"
dpkg-deb -x "$deb" "$work/unpacked"
program=$work/unpacked/usr/bin/calcaro
file -b "$program" | grep -q ', stripped' || fail "usr/bin/calcaro is not stripped in the package"
# The program names its version and its desktop entry itself (the Wayland app id), in UTF-16.
strings -el "$program" >"$work/program-strings"
grep -qxF "$version" "$work/program-strings" || fail "usr/bin/calcaro does not carry the version $version"
grep -qxF "$desktop_id" "$work/program-strings" || fail "usr/bin/calcaro does not call itself $desktop_id"
echo "ok: dpkg-deb -c lists the program (root, 755, stripped, version $version, app id $desktop_id),"
echo "    the desktop entry, the metainfo, the icons, the manual pages and the documents"

# hardening-check must say yes to every protection it can see in the program. Two of its lines
# cannot say yes for this program on Debian 12 whatever the flags, and each is checked another
# way instead:
# - "Fortify Source functions" passes when it finds one checked libc call (__memcpy_chk...).
#   The program's only memcpy and memmove calls are inlined from libstdc++ (std::string) and Qt
#   (QList growth) templates, which copy through __builtin_memcpy, never fortified; its manual
#   calls this a false alarm. Every compilation must then have had -D_FORTIFY_SOURCE and -O.
# - "Control flow integrity" needs the CET marking on every object linked in, and Debian 12's C
#   start files (Scrt1.o, crti.o) carry none. Every object built here must then carry it.
hardening-check -v "$program" >"$work/hardening.log" 2>&1 || true
compile_commands=$build/compile_commands.json
fortify_ok() {
    local total fortified
    total=$(grep -c '"command"' "$compile_commands")
    fortified=$(grep '"command"' "$compile_commands" | grep -- '-D_FORTIFY_SOURCE=[23]' |
        grep -cE -- ' -O[123s] ')
    [ "$total" -gt 0 ] && [ "$fortified" -eq "$total" ]
}
cet_ok() {
    local object start_file
    while IFS= read -r -d '' object; do
        readelf -n "$object" | grep -q 'x86 feature: IBT, SHSTK' || return 1
    done < <(find "$build" -name '*.o' -print0)
    for start_file in Scrt1.o crti.o; do
        readelf -n "$(gcc -print-file-name=$start_file)" | grep -q 'x86 feature: IBT, SHSTK' &&
            return 1 # the system could give the marking: hardening-check must say yes
    done
    return 0
}
while IFS= read -r line; do
    case $line in
    *": yes" | *": yes ("* | *": unknown, "*) ;;
    " Fortify Source functions: no, only unprotected functions found!")
        fortify_ok || fail "hardening-check: $line, and not every compilation was fortified" ;;
    " Control flow integrity: no, not found!")
        cet_ok || fail "hardening-check: $line, and not every object of ours carries IBT and SHSTK" ;;
    " "*": "*)
        cat "$work/hardening.log" >&2
        fail "hardening-check finds a protection missing in usr/bin/calcaro: $line" ;;
    esac
done <"$work/hardening.log"
grep -q ': yes' "$work/hardening.log" || fail "hardening-check said nothing: $(cat "$work/hardening.log")"
echo "ok: hardening-check on the packaged usr/bin/calcaro (every compilation fortified, every object of ours marked for CET):"
sed -n 's/^ \+/    /p; s/^\t/      /p' "$work/hardening.log"

[ "$(dpkg-deb -f "$deb" Package)" = calcaro ] || fail "the package is not named calcaro"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] ||
    fail "package version $(dpkg-deb -f "$deb" Version), CMake says $version"
depends=$(dpkg-deb -f "$deb" Depends)
for dep in libqt6widgets6 libqt6gui6 fonts-liberation2 qt6-translations-l10n; do
    [[ ", $depends," =~ ,\ $dep[\ ,] ]] || fail "Depends lacks $dep: $depends"
done
echo "ok: dpkg-deb -f gives version $version and Depends with libqt6widgets6, libqt6gui6, fonts-liberation2 and qt6-translations-l10n"

# lintian warns when run as root; that line says nothing about the package.
lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 || lintian_failed=1
grep -v 'running with root privileges' "$work/lintian.log" >"$work/lintian.tags" || true
if [ -n "${lintian_failed:-}" ] || grep -qE '^[EW]: ' "$work/lintian.tags"; then
    cat "$work/lintian.tags" >&2
    fail "lintian finds errors or warnings in $(basename "$deb")"
fi
echo "ok: lintian finds neither errors nor warnings in the package"

# A second build of the same sources, copied (as a clone would have them) into another folder,
# with no build tree: the two packages must be identical.
second=$work/second/calcaro-sources
mkdir -p "$second"
git -C "$calcaro_root" ls-files -z --cached --others --exclude-standard |
    (cd "$calcaro_root" && xargs -0 sh -c 'for f; do [ -e "$f" ] && printf "%s\0" "$f"; done' sh) |
    (cd "$calcaro_root" && tar --null -T - -cf -) | tar -xf - -C "$second" --touch
(cd "$second" && quiet cmake --workflow --preset package)
second_deb=$second/build-package/$(basename "$deb")
[ -f "$second_deb" ] || fail "the second build made no $(basename "$deb")"
first_sum=$(sha256sum "$deb" | cut -d' ' -f1)
second_sum=$(sha256sum "$second_deb" | cut -d' ' -f1)
if [ "$first_sum" != "$second_sum" ]; then
    for d in "$deb" "$second_deb"; do
        echo "$d:" >&2
        (mkdir -p "$work/cmp" && cd "$work/cmp" && rm -rf ./* && ar x "$d" && md5sum ./*) >&2
    done
    fail "two builds of the same sources differ: $first_sum and $second_sum"
fi
echo "ok: a second build in $(dirname "$second") gives the same package, sha256 $first_sum"

# The Windows build of these sources and of the same copy: the Windows Installer package and the
# zip must be identical too (the NSIS installer is not yet). The copy builds only what goes into
# the packages, not the test programs for Windows.
quiet bash "$calcaro_root/scripts/windows-qt.sh"
(cd "$calcaro_root" && quiet cmake --workflow --preset windows)
(cd "$second" && quiet cmake --preset windows && quiet cmake --build --preset windows --target windows_dist)
for name in "Calcaro-CM1-$version.msi" "Calcaro-CM1-$version-win64.zip"; do
    [ -f "$second/build-windows/$name" ] || fail "the second Windows build made no $name"
    cmp -s "$calcaro_root/build-windows/$name" "$second/build-windows/$name" ||
        fail "two Windows builds of the same sources give two different $name"
    echo "ok: the second Windows build gives the same $name, sha256 $(sha256sum "$second/build-windows/$name" | cut -d' ' -f1)"
done

rc=$build/widgets/calcaro.rc
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
numeric=${numeric_version//./, }
grep -qxF " FILEVERSION $numeric" "$work/decompiled.rc" || fail "FILEVERSION is not $numeric"
grep -qxF " PRODUCTVERSION $numeric" "$work/decompiled.rc" || fail "PRODUCTVERSION is not $numeric"
grep -qF 'VALUE "Translation", 0x409, 1200' "$work/decompiled.rc" || fail "the translation is not 0x409, 1200"
grep -qF '"IDI_ICON1" 14 /* RT_GROUP_ICON */' "$work/decompiled.rc" || fail "no IDI_ICON1 icon group"
grep -qE '^ *"\\040\\040\\000\\000", 1, 24,' "$work/decompiled.rc" || fail "the icon lacks its 32x32 image"
grep -qE '^ *"\\060\\060\\000\\000", 1, 8,' "$work/decompiled.rc" || fail "the icon lacks its 48x48 image"
echo "ok: windres compiles calcaro.rc: version $version ($numeric), Calcaro.exe, US English Unicode, icon with 32 and 48 pixel images"

echo "== package checks passed: $(basename "$deb"), sha256 $first_sum"
