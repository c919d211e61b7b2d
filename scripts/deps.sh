# Installs the Debian packages that building, playing and testing need, when they are missing.
# Sourced by the scripts; safe to run again. Each list is named once here, so that the test
# command can install everything in one go (one index update, one run of dpkg and its triggers)
# and the scripts it runs find nothing left to install.

# Building and playing the game.
calcaro_packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools
    qt6-base-private-dev libwayland-dev
    fonts-liberation2 qt6-translations-l10n
)
# A virtual display, for the benchmark and the window tests.
calcaro_packages_display=(xvfb xauth x11-utils)
# The checks of the source and of the engine: format, fuzzing with clang.
calcaro_packages_checks=(clang clang-format libclang-rt-14-dev)
# The tests against a real Wayland compositor, a real window manager and a real screen reader
# (Orca, speech-dispatcher with libao's null output, a French locale built by localedef, keys
# typed with xdotool, the game's clock stopped by libfaketime so that it draws a question
# twice), and GTK's platform theme for the dark desktop palette.
calcaro_packages_desktops=(
    weston qt6-wayland openbox dbus-daemon dbus-bin at-spi2-core python3-pyatspi
    qt6-gtk-platformtheme
    orca speech-dispatcher espeak-ng python3-speechd libao4 libglib2.0-bin locales xdotool
    libfaketime
)
# The checks of what distributions receive (scripts/check-package.sh).
calcaro_packages_distribution=(
    desktop-file-utils appstream appstream-compose lintian devscripts
    binutils-mingw-w64-x86-64 dpkg-dev file git
)
# Qt for Windows from Debian's source or from an archive (scripts/windows-qt.sh).
calcaro_packages_windows_qt=(g++-mingw-w64-x86-64-posix mingw-w64-tools xz-utils)
# Qt for WebAssembly from Debian's source or from an archive (scripts/web-qt.sh); Debian's
# emscripten brings its own node modules and its system libraries already built.
calcaro_packages_web_qt=(emscripten xz-utils)
# The page's tests: Debian's browsers, driven from node (npm fetches the pinned drivers for
# chromium and firefox-esr; WebKitGTK comes with its own, and its MiniBrowser).
calcaro_packages_browsers=(chromium firefox-esr webkit2gtk-driver)
# npm comes with some builds of node; Debian's node needs Debian's npm. Named in the one install.
calcaro_packages_npm() {
    command -v npm >/dev/null || echo npm
}
# The Windows build and its proof: NSIS; msitools (wixl, msiinfo), libmsi for Python and olefile,
# with which make-msi.py rewrites the package's summary; Wine, pefile.
calcaro_packages_windows=(
    nsis msitools wixl gir1.2-libmsi-1.0 python3-gi python3-olefile wine wine64 python3-pefile
)

calcaro_ensure_packages() {
    local missing=() pkg
    for pkg in "${calcaro_packages[@]}" "$@"; do
        [[ " ${missing[*]} " != *" $pkg "* ]] || continue # named by two lists
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=() log
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    log=$(mktemp)
    # What apt and dpkg say is shown only when they fail.
    if ! { "${sudo[@]}" apt-get update -qq &&
        # Unpacked without dpkg's sync of every file it writes: a desktop, three browsers and
        # two cross toolchains take minutes that way on a new machine.
        DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq \
            -o Dpkg::Options::=--force-unsafe-io \
            --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
        cat "$log" >&2
        rm -f "$log"
        echo "FAILED: installing ${missing[*]}" >&2
        return 1
    fi
    rm -f "$log"
}

# Runs one of the workflows of CMakePresets.json (configure, build, and test or package); shows
# what the tools said only when a step fails.
calcaro_workflow() {
    local log
    log=$(mktemp)
    if ! (cd "$calcaro_root" && cmake --workflow --preset "$1") >"$log" 2>&1; then
        cat "$log" >&2
        rm -f "$log"
        echo "FAILED: cmake --workflow --preset $1" >&2
        return 1
    fi
    rm -f "$log"
}
