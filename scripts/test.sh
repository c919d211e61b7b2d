#!/usr/bin/env bash
# Builds Calcaro CM1 with its tests and runs every one of them (no display needed).
set -euo pipefail
calcaro_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$calcaro_root/scripts/deps.sh"
calcaro_ensure_packages xvfb xauth x11-utils xdotool
calcaro_build "$calcaro_root/build-tests" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCALCARO_BUILD_TESTS=ON
QT_QPA_PLATFORM=offscreen ctest --test-dir "$calcaro_root/build-tests" --output-on-failure
