# Installs the Debian packages that building, playing and testing need, when they are missing.
# Sourced by play.sh and test.sh; safe to run again.

calcaro_packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools
    qt6-base-private-dev libwayland-dev
    fonts-liberation2 qt6-translations-l10n
)

calcaro_ensure_packages() {
    local missing=() pkg
    for pkg in "${calcaro_packages[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
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
