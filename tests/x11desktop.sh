#!/usr/bin/env bash
# Runs a command on a desktop of its own: a private Xvfb with the Openbox window manager, and Qt
# on its X11 platform. The servers and the command go when the script ends, however it ends
# (a KILL excepted); its status is the command's, or 1 when the desktop could not be set up.
set -u
xvfb= openbox= command=
work=$(mktemp -d)
cleanup() {
    kill $command $openbox $xvfb 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 143' TERM INT HUP

# On the first free display, which the server writes out once it is ready; X11DESKTOP_SCREEN
# gives the screen's size (default 1280x1024x24). Never reset: by default the server starts afresh
# each time its last client leaves, refusing connections meanwhile, and the checks below and the
# test's programs come and go.
Xvfb -displayfd 3 -screen 0 "${X11DESKTOP_SCREEN:-1280x1024x24}" -nolisten tcp -noreset 3>"$work/display" \
    >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 600); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
if [ ! -s "$work/display" ]; then
    echo "x11desktop: Xvfb did not start:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi
export DISPLAY=:$(head -n 1 "$work/display") QT_QPA_PLATFORM=xcb
# Whoever connects first must find the server answering on that display.
for _ in $(seq 600); do
    xprop -root >/dev/null 2>&1 && break
    kill -0 $xvfb 2>/dev/null || break
    sleep 0.1
done
if ! xprop -root >/dev/null 2>&1; then
    echo "x11desktop: Xvfb does not answer on $DISPLAY:" >&2
    kill -0 $xvfb 2>/dev/null || echo "(it has ended)" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi

openbox >"$work/openbox.log" 2>&1 &
openbox=$!
# Openbox has taken the screen over once it has named itself on the root window.
for _ in $(seq 600); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done
if ! kill -0 $openbox 2>/dev/null ||
    ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
    echo "x11desktop: Openbox did not start on $DISPLAY:" >&2
    cat "$work/openbox.log" >&2
    kill -0 $xvfb 2>/dev/null || echo "x11desktop: Xvfb has ended:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi

# In the background, so that a TERM to the script stops it too.
"$@" &
command=$!
wait $command
