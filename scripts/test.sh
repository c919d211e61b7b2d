#!/usr/bin/env bash
# Builds Calcaro CM1 and runs every check, with no display needed: the format of the sources, a
# minute of fuzzing of the answer check beside a quick run of the benchmark, the checks of the
# installed files, of the Debian package and of the Windows packages (each built twice, the same
# bytes expected), the whole test suite under AddressSanitizer and
# UndefinedBehaviorSanitizer, the random-play soak on seeds drawn afresh, the Windows build
# (Qt for Windows from Debian's source, once), the game in one web page with its SCORM package and
# its installable site (Qt Core for WebAssembly from Debian's source, once), then side by side
# the Windows build's tests under Wine and the page's tests (Debian's chromium, firefox-esr and
# WebKitGTK, a touch screen, a learning platform's runtime, the site offline, Orca) followed by
# the whole test suite of the ordinary build. Every build is a workflow of
# CMakePresets.json. CALCARO_QT_ARCHIVES=DIR unpacks the Qt builds from their archives in DIR
# instead of building them, when DIR holds the same keys.
# CALCARO_FUZZ_SECONDS sets the fuzzing time (default 60). CALCARO_BUSY=N runs everything on a
# busy machine: N processes of stress-ng keep the processors busy from start to end (N=0: one
# for each processor).
set -euo pipefail
calcaro_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$calcaro_root/scripts/deps.sh"
cd "$calcaro_root"

# Each step says when it starts, counted from the start of the command, and how long the one
# before took.
step_started=
step() {
    if [ -n "$step_started" ]; then
        local took=$((SECONDS - step_started))
        printf '   took %d min %02d s\n' $((took / 60)) $((took % 60))
    fi
    step_started=$SECONDS
    printf '== %s (at %d min %02d s)\n' "$1" $((SECONDS / 60)) $((SECONDS % 60))
}

# What is undone at the end, however the command ends; its status stays the command's.
cleanups=()
trap 'status=$?; for c in "${cleanups[@]}"; do eval "$c" || true; done; exit $status' EXIT
if [ -n "${CALCARO_BUSY:-}" ]; then
    calcaro_ensure_packages stress-ng
    stress-ng --cpu "$CALCARO_BUSY" --timeout 0 >/dev/null 2>&1 &
    cleanups+=("kill $! 2>/dev/null; wait $! 2>/dev/null")
    step "A busy machine: stress-ng --cpu $CALCARO_BUSY runs beside every step"
fi

step "Debian packages that the steps need"
calcaro_ensure_packages "${calcaro_packages_display[@]}" "${calcaro_packages_checks[@]}" \
    "${calcaro_packages_desktops[@]}" "${calcaro_packages_distribution[@]}" \
    "${calcaro_packages_windows_qt[@]}" "${calcaro_packages_windows[@]}" \
    "${calcaro_packages_web_qt[@]}" "${calcaro_packages_browsers[@]}" $(calcaro_packages_npm)

step "Source format (clang-format $(clang-format --version | grep -o '[0-9][0-9.]*' | head -n 1))"
find engine widgets web tests bench -name '*.cpp' -o -name '*.h' | sort |
    xargs clang-format --dry-run -Werror
echo "ok: every .cpp and .h follows .clang-format"

# side_by_side TITLE COMMAND [TITLE COMMAND ...]: runs the commands at once, for steps that share
# nothing and spend most of their time waiting (on one processor, or on the game's own clock);
# once all have ended, shows each one's output whole under its title, in the order given, and
# fails if one failed.
side_by_side() {
    local logs i failed=() titles=() pids=()
    logs=$(mktemp -d)
    cleanups+=("rm -rf '$logs'")
    for ((i = 0; $# > 0; i++)); do
        titles+=("$1")
        (eval "$2") >"$logs/$i" 2>&1 &
        pids+=($!)
        shift 2
    done
    for i in "${!pids[@]}"; do
        wait "${pids[i]}" || failed+=("${titles[i]}")
    done
    for i in "${!titles[@]}"; do
        echo "-- ${titles[i]}"
        cat "$logs/$i"
    done
    if [ ${#failed[@]} -ne 0 ]; then
        printf 'Failed: %s\n' "${failed[@]}"
        exit 1
    fi
}

# The fuzzer runs on one processor: the benchmark is built and run on the other.
fuzz_corpus=$(mktemp -d)
cleanups+=("rm -rf '$fuzz_corpus'")
fuzz() {
    calcaro_workflow fuzz
    if ! build-fuzz/tests/fuzz/fuzz_answer -max_total_time="${CALCARO_FUZZ_SECONDS:-60}" \
        "$fuzz_corpus" tests/fuzz/corpus >"$fuzz_corpus.log" 2>&1; then
        tail -n 40 "$fuzz_corpus.log"
        echo "The fuzzer found a fault (the input is saved as crash-* in $(pwd))."
        return 1
    fi
    grep -E '^Done [0-9]+ runs' "$fuzz_corpus.log" || true
}
cleanups+=("rm -f '$fuzz_corpus.log'")
step "Side by side: fuzzing the answer check, and a quick run of the benchmark"
side_by_side "Fuzzing the answer check" fuzz "Benchmark, quick run" "bash bench/run.sh --smoke"

step "Installed files, Debian package, Windows packages built twice, Windows resources"
bash scripts/check-package.sh

step "Tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --workflow --preset asan

step "Random-play soak on fresh seeds"
# The seeds are drawn now and printed with each result: a failure replays with
# CALCARO_SOAK_SEED=<seed> build-tests/tests/tst_soak.
cmake --workflow --preset soak-fresh-seeds

step "Qt for Windows, built once from Debian's source (30 to 45 minutes), then cached"
bash scripts/windows-qt.sh

step "Windows: Calcaro.exe, its installer, its .msi and its zip"
cmake --workflow --preset windows

step "Qt Core for WebAssembly, built once from Debian's source (3 to 5 minutes), then cached"
bash scripts/web-qt.sh

step "The game in one web page: calcaro.html, its SCORM package and its installable site; how soon it is ready"
cmake --workflow --preset web

# The suites under Wine and in the browsers spend most of their time waiting on the game's own
# clock or on a screen reader, and share nothing (each test has its own display, bus, Wine prefix
# or browser profile, and port). The ordinary suite, short and also mostly waiting, follows the
# browser suite, the shorter, in its lane, and is shown last, so that CTest's summary of it
# closes the output.
browsers_then_tests() {
    local status=0
    ctest --preset web || status=$?
    echo "-- Tests"
    cmake --workflow --preset tests || status=$?
    return $status
}
step "Side by side: the tests under Wine; the page in chromium, firefox-esr, WebKit and Orca, then the tests"
side_by_side "Under Wine" "ctest --preset windows" "In the browsers" browsers_then_tests
