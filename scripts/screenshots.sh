#!/usr/bin/env bash
# Plays the game on a virtual display with a window manager and saves pictures of the three
# windows into docs/ (or the folder given as the first argument).
set -euo pipefail
calcaro_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${1:-$calcaro_root/docs}
source "$calcaro_root/scripts/deps.sh"
calcaro_ensure_packages xvfb xauth x11-utils xdotool imagemagick openbox qt6-gtk-platformtheme
calcaro_workflow release
mkdir -p "$out"

# A display number of its own: Xvfb picks a free one and tells it.
displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$displayfile" >/dev/null 2>&1 &
pids=($!)
trap 'kill "${pids[@]}" 2>/dev/null || true; rm -f "$displayfile"' EXIT
for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.05; done
export DISPLAY=:$(cat "$displayfile")
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 0.5
"$calcaro_root/build/widgets/calcaro" >/dev/null 2>&1 &
pids+=($!)

window() { xdotool search --sync --onlyvisible --name "Calcaro CM1" | tail -n 1; }
# The whole screen, cut down to the windows on it.
shot() {
    sleep 0.4
    import -window root "$out/$1.png"
    convert "$out/$1.png" -fuzz 2% -trim +repage "$out/$1.png"
    echo "saved $out/$1.png"
}
# Opens a menu of the main window by a click on its title, then picks its nth item.
menu() {
    xdotool mousemove --window "$(window)" "$1" 10 click 1
    sleep 0.3
    for _ in $(seq "$2"); do xdotool key Down; done
    xdotool key Return
}

main=$(window)
xdotool windowactivate --sync "$main" 2>/dev/null || true
shot main-idle

menu 30 3 # Niveau 3
xdotool key Return
sleep 2
xdotool type 7
shot main-question

xdotool key alt+q
sleep 0.5
shot quit-confirmation
xdotool key Return # "Non" holds the focus
sleep 0.5

xdotool key alt+r
sleep 0.3
menu 75 3 # Rapide
xdotool key alt+d
for _ in $(seq 10); do
    sleep 0.4
    xdotool key Return
    sleep 1.1
done
sleep 2.5
shot series-end

# A question again, on a dark desktop (GTK's dark theme): the game's ground and its texts keep
# their light colours, the menu bar follows the desktop.
kill "${pids[2]}"
QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark "$calcaro_root/build/widgets/calcaro" \
    >/dev/null 2>&1 &
pids+=($!)
sleep 1
main=$(window)
xdotool windowactivate --sync "$main" 2>/dev/null || true
menu 30 3 # Niveau 3
xdotool key Return
sleep 2
xdotool type 7
shot main-question-dark
