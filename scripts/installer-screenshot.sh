#!/usr/bin/env bash
# Takes docs/windows-installer.png: the installer's welcome page and its folder page, side by
# side, as Wine shows them on a private desktop, in a Wine prefix of its own that says Windows 10.
#   bash scripts/installer-screenshot.sh [build-windows/Calcaro-CM1-1.00-setup.exe]
set -euo pipefail
calcaro_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
setup=$(realpath "${1:-$calcaro_root/build-windows/Calcaro-CM1-1.00-setup.exe}")
if [ "${2:-}" != --on-desktop ]; then
    exec env X11DESKTOP_SCREEN=800x600x24 bash "$calcaro_root/tests/x11desktop.sh" \
        bash "${BASH_SOURCE[0]}" "$setup" --on-desktop
fi
export WINEPREFIX=$(mktemp -d) WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
work=$(mktemp -d)
trap 'wineserver -k 2>/dev/null; rm -rf "$WINEPREFIX" "$work"' EXIT
wineboot -i >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null 2>&1
wineserver -w
wine "$setup" >/dev/null 2>&1 &
window=$(xdotool search --sync --onlyvisible --name "Installation de Calcaro CM1" | head -n 1)
shot() { # the window alone, once its page has drawn
    sleep 2
    import -window "$window" "$work/$1.png"
}
shot welcome
xdotool key Return # "Suivant"
shot folder
convert "$work/welcome.png" "$work/folder.png" -bordercolor gray -border 1 +append -strip "$calcaro_root/docs/windows-installer.png"
echo "written: docs/windows-installer.png"
