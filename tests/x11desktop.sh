#!/usr/bin/env bash
# Runs a command on a desktop of its own: a private Xvfb with the Openbox window manager, and Qt
# on its X11 platform. The servers go when the command ends; its status is the script's.
set -u
display_file=$(mktemp)
Xvfb -displayfd 3 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $openbox $xvfb 2>/dev/null; wait 2>/dev/null; rm -f "$display_file"' EXIT
openbox=
for _ in $(seq 100); do
    [ -s "$display_file" ] && break
    sleep 0.1
done
[ -s "$display_file" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(head -n 1 "$display_file") QT_QPA_PLATFORM=xcb
openbox >/dev/null 2>&1 &
openbox=$!
# Openbox has taken the screen over once it has named itself on the root window.
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done
"$@"
