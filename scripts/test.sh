#!/usr/bin/env bash
# Builds Calcaro CM1 and runs every check, with no display needed: a minute of fuzzing of the
# answer check, a quick run of the benchmark, the checks of the installed files and of the
# Debian package, the whole test suite under AddressSanitizer and UndefinedBehaviorSanitizer,
# and last the whole test suite of the ordinary build.
# CALCARO_FUZZ_SECONDS sets the fuzzing time (default 60).
set -euo pipefail
calcaro_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$calcaro_root/scripts/deps.sh"
calcaro_ensure_packages xvfb xauth x11-utils clang libclang-rt-14-dev
# The tests against a real Wayland compositor and the real accessibility bus.
calcaro_ensure_packages weston qt6-wayland dbus-daemon dbus-bin at-spi2-core python3-pyatspi

echo "== Fuzzing the answer check"
calcaro_build "$calcaro_root/build-fuzz" -DCMAKE_CXX_COMPILER=clang++ -DCALCARO_FUZZ=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
if ! "$calcaro_root/build-fuzz/tests/fuzz/fuzz_answer" -max_total_time="${CALCARO_FUZZ_SECONDS:-60}" \
    "$corpus" "$calcaro_root/tests/fuzz/corpus" >"$corpus.log" 2>&1; then
    tail -n 40 "$corpus.log"
    echo "The fuzzer found a fault (the input is saved as crash-* in $(pwd))."
    exit 1
fi
grep -E '^Done [0-9]+ runs' "$corpus.log" || true
rm -f "$corpus.log"

echo "== Benchmark, quick run"
bash "$calcaro_root/bench/run.sh" --smoke

echo "== Installed files, Debian package and Windows resources"
bash "$calcaro_root/scripts/check-package.sh"

echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer"
calcaro_build "$calcaro_root/build-asan" -DCALCARO_SANITIZE=ON -DCALCARO_BUILD_BENCH=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
QT_QPA_PLATFORM=offscreen ctest --test-dir "$calcaro_root/build-asan" --output-on-failure

echo "== Tests"
calcaro_build "$calcaro_root/build-tests" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCALCARO_BUILD_TESTS=ON \
    >/dev/null
QT_QPA_PLATFORM=offscreen ctest --test-dir "$calcaro_root/build-tests" --output-on-failure
