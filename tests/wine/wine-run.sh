#!/usr/bin/env bash
# Runs a Windows program under Wine, on a private X server and in a private Wine prefix, and
# exits with the program's status. CTest runs every test program of the Windows build this way.
#   wine-run.sh PROGRAM.exe [ARGUMENT...]
#   wine-run.sh --anew          makes the prefix afresh, and runs nothing
# CALCARO_WINEPREFIX names the prefix (made on first use), CALCARO_WINEPATH the folders of the
# DLLs (Qt's, MinGW's), separated by colons.
set -euo pipefail
export WINEPREFIX=${CALCARO_WINEPREFIX:?} WINEARCH=win64 WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko: nothing here needs .NET or a browser, and Wine would ask to download them.
export WINEDLLOVERRIDES="mscoree,mshtml=;${WINEDLLOVERRIDES:-}"
# Wine keeps the Unix QT_ variables (meant for Linux's Qt) from Windows programs, and hands them
# WINEQT_ ones under the QT_ names instead: the test's QT_ settings pass that way. With no
# console, Qt (and its test library's report) would write for a debugger, which nobody reads
# here; QT_FORCE_STDERR_LOGGING sends it to the output, where CTest shows it.
for name in $(compgen -e); do
    [[ $name != QT_* ]] || export "WINE$name=${!name}"
done
export WINEQT_FORCE_STDERR_LOGGING=1
# Wine sees the whole file system as drive Z:.
WINEPATH=
IFS=: read -ra dirs <<<"${CALCARO_WINEPATH:-}"
for dir in "${dirs[@]}"; do
    WINEPATH+="${WINEPATH:+;}Z:$dir"
done
export WINEPATH
mkdir -p "$(dirname "$WINEPREFIX")"
# Making the prefix is a step of its own (wineboot takes from seconds to a minute, by the
# machine's load), so that no test's time-out has to cover it.
anew=false
if [ "${1:-}" = --anew ]; then
    anew=true
    rm -rf "$WINEPREFIX"
fi

# A display of its own, numbered by the server itself, ready once it has written its number.
fifo=$(mktemp -u)
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fifo" &
xvfb=$!
read -r display <"$fifo"
rm -f "$fifo"
export DISPLAY=:$display
finish() {
    # Every process of the prefix goes with the display, so the next run starts clean.
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
}
trap finish EXIT

# One run at a time makes the prefix; the others wait for it. Wine's X11 driver leaves the
# windows to a window manager, and before it hides one it waits for the manager to have mapped it
# (WM_STATE), 2 s each time. This display has none, and on Windows a window hides at once.
(
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wineboot --init >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        wineserver -w # the registry is on disk
    fi
) 9>"$WINEPREFIX.lock"

if $anew; then
    exit 0
fi
status=0
wine "$@" || status=$?
exit $status
