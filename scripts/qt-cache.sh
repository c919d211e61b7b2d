# The cache of the Qt builds made from Debian's source for other systems, shared by the scripts
# that build them (sourced). A build lives in ${XDG_CACHE_HOME:-~/.cache}/calcaro/<name>, where
# <name> holds a key made of everything that shapes the build, and is whole once <name>/.complete
# exists. Such a folder also travels as an archive, <name>.tar.xz with <name>.tar.xz.sha256 beside
# it, which the scripts unpack instead of building when CALCARO_QT_ARCHIVES names a folder that
# holds it, and write with their --archive DIR option.

calcaro_qt_cache=${XDG_CACHE_HOME:-$HOME/.cache}/calcaro
# The version of Debian 12's qt6-base, whose source the builds take.
calcaro_qt_version=6.4.2

# calcaro_qt_usage SCRIPT WHAT: the usage line of a script that builds a Qt.
calcaro_qt_usage() {
    echo "usage: $1 [--archive DIR]"
    echo "Builds $2 once into $calcaro_qt_cache, or unpacks it from"
    echo "\$CALCARO_QT_ARCHIVES when that folder holds the archive of the same key; --archive DIR"
    echo "then writes that archive and its SHA-256 sum into DIR."
}

# calcaro_qt_parse_args WHAT "$@": sets calcaro_qt_archive_to from --archive DIR.
calcaro_qt_parse_args() {
    local what=$1
    shift
    calcaro_qt_archive_to=
    while [ $# -gt 0 ]; do
        case $1 in
        --archive)
            [ $# -ge 2 ] || { calcaro_qt_usage "$0" "$what" >&2; exit 2; }
            calcaro_qt_archive_to=$2
            shift 2
            ;;
        -h | --help)
            calcaro_qt_usage "$0" "$what"
            exit 0
            ;;
        *)
            calcaro_qt_usage "$0" "$what" >&2
            exit 2
            ;;
        esac
    done
}

# calcaro_qt_unpack NAME: unpacks NAME from $CALCARO_QT_ARCHIVES when the archive is there and its
# sum is right; fails when it is not there, stops everything when the sum is wrong (a damaged or
# altered archive is never used, and a silent build from source would outlast CI).
calcaro_qt_unpack() {
    local name=$1 dir=${CALCARO_QT_ARCHIVES:-}
    [ -n "$dir" ] && [ -f "$dir/$name.tar.xz" ] && [ -f "$dir/$name.tar.xz.sha256" ] || return 1
    echo "Checking $dir/$name.tar.xz"
    if ! (cd "$dir" && sha256sum --check --strict --quiet "$name.tar.xz.sha256"); then
        echo "$dir/$name.tar.xz does not match its SHA-256 sum: not used." >&2
        echo "Remove it (the build from source then runs) or replace it with a good copy." >&2
        exit 1
    fi
    # Into a folder of its own first, so that an interrupted unpacking never looks whole.
    local unpack
    unpack=$(mktemp -d "$calcaro_qt_cache/unpack-XXXXXX")
    tar -C "$unpack" -xJf "$dir/$name.tar.xz"
    if [ ! -f "$unpack/$name/.complete" ]; then
        rm -rf "$unpack"
        echo "$dir/$name.tar.xz holds no whole $name/ folder." >&2
        exit 1
    fi
    rm -rf "${calcaro_qt_cache:?}/$name"
    mv "$unpack/$name" "$calcaro_qt_cache/$name"
    rmdir "$unpack"
    echo "Unpacked $name from $dir"
}

# calcaro_qt_write_archive NAME DIR: writes NAME's archive and its sum into DIR.
calcaro_qt_write_archive() {
    local name=$1 dir=$2
    mkdir -p "$dir"
    dir=$(cd "$dir" && pwd)
    echo "Writing $dir/$name.tar.xz"
    # Same contents, same bytes: names sorted, no owners, no dates of this machine.
    tar -C "$calcaro_qt_cache" --sort=name --owner=0 --group=0 --numeric-owner \
        --mtime=@0 -cf - "$name" | xz -T0 -9 >"$dir/$name.tar.xz.part"
    mv "$dir/$name.tar.xz.part" "$dir/$name.tar.xz"
    (cd "$dir" && sha256sum "$name.tar.xz" >"$name.tar.xz.sha256")
    cat "$dir/$name.tar.xz.sha256"
}

# calcaro_qt_deb_source WORK: downloads Debian's qt6-base source package into WORK, checked by
# apt against the archive's signed index; adds a deb-src entry for the suites already in use
# when there is none.
calcaro_qt_deb_source() {
    local work=$1
    (cd "$work" && apt-get source --download-only qt6-base >/dev/null 2>&1) && return 0
    local sudo=() list=/etc/apt/sources.list.d/calcaro-deb-src
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
            "${sudo[@]}" tee "$list.sources" >/dev/null
    else
        sed -n 's/^deb /deb-src /p' /etc/apt/sources.list | "${sudo[@]}" tee "$list.list" >/dev/null
    fi
    "${sudo[@]}" apt-get update -qq
    (cd "$work" && apt-get source --download-only qt6-base)
}

# calcaro_qt_provide WHAT NAME TOOLCHAIN HOW-LONG [CMAKE-OPTION...]: makes sure the cache holds
# NAME, whole: found there, unpacked from its archive, or else built from Debian's qt6-base
# source with that CMake toolchain file and those options (HOW-LONG says how long that takes).
# The host tools (moc, rcc, uic…) are Debian's own, from qt6-base-dev-tools. A function
# calcaro_qt_complete PREFIX SOURCE, when the calling script defines one, adds what the
# installation lacks before the build counts as whole.
calcaro_qt_provide() {
    local what=$1 name=$2 toolchain=$3 how_long=$4
    shift 4
    local prefix=$calcaro_qt_cache/$name work=$calcaro_qt_cache/work-$name
    mkdir -p "$calcaro_qt_cache"
    if [ -f "$prefix/.complete" ]; then
        echo "$what: $prefix (cached)"
        return 0
    fi
    if calcaro_qt_unpack "$name"; then
        echo "$what: $prefix (from the archive)"
        return 0
    fi
    rm -rf "$work" "$prefix"
    mkdir -p "$work"
    calcaro_qt_deb_source "$work"
    local tarball src
    tarball=$(ls "$work"/qt6-base_"$calcaro_qt_version"*.orig.tar.xz)
    echo "Unpacking $(basename "$tarball")"
    tar -C "$work" -xf "$tarball"
    src=$(ls -d "$work"/qtbase-everywhere-src-"$calcaro_qt_version")
    cmake -G Ninja -S "$src" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        "$@" >"$work/configure.log" 2>&1 || {
        tail -n 60 "$work/configure.log"
        exit 1
    }
    echo "Building $what ($how_long on two processors)"
    cmake --build "$work/build" >"$work/build.log" 2>&1 || {
        tail -n 60 "$work/build.log"
        exit 1
    }
    cmake --install "$work/build" >/dev/null
    if declare -F calcaro_qt_complete >/dev/null; then
        calcaro_qt_complete "$prefix" "$src"
    fi
    touch "$prefix/.complete"
    rm -rf "$work"
    echo "$what: $prefix (built)"
}
