#!/usr/bin/env python3
"""The shipped Calcaro.exe under Wine, played with the keyboard: its window appears titled
"Calcaro CM1", Alt+D asks a question, the right answer and Enter bring "Bonne réponse ", Alt+Q
asks for confirmation, and "Oui" ends the program with status 0.

Run through wine-run.sh, which gives it a display and a Wine prefix. The game runs from the
staged folder alone (no other DLLs on its path), so a missing DLL or plugin fails here. What the
game shows is read from its captions log; every wait is for something the game or the X server
does, with CTest's time-out as the only clock."""
import os
import queue
import re
import subprocess
import sys
import threading
import time

exe = sys.argv[1]
env = dict(os.environ, WINEQT_LOGGING_RULES="calcaro.captions.debug=true",
           WINEQT_FORCE_STDERR_LOGGING="1")
env.pop("WINEPATH", None)
game = subprocess.Popen(["wine", exe], stderr=subprocess.PIPE, env=env)
captions = queue.Queue()


def read_captions():
    for raw in game.stderr:
        line = raw.decode("cp1252", "replace").rstrip("\r\n")
        match = re.match(r"calcaro\.captions: (\w+) ?(.*)$", line)
        if match:
            captions.put((match[1], match[2]))
    captions.put(None)


threading.Thread(target=read_captions, daemon=True).start()
shown = {}


def until(name, wanted):
    """Waits until the control `name` shows a caption that `wanted` accepts."""
    while True:
        item = captions.get()
        if item is None:
            sys.exit(f"FAIL: the game ended (status {game.wait()}) before {name} showed what "
                     f"was awaited; it showed {shown}")
        shown[item[0]] = item[1]
        if item[0] == name and wanted(item[1]):
            print(f"ok: {name} shows {item[1]!r}", flush=True)
            return item[1]


def xdotool(*args):
    return subprocess.run(["xdotool", *args], check=True, capture_output=True,
                          text=True).stdout.split()


def visible_windows():
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Calcaro CM1$"],
                           capture_output=True, text=True).stdout.split()
    return set(found)


main = xdotool("search", "--sync", "--onlyvisible", "--name", "^Calcaro CM1$")[0]
print("ok: a window titled 'Calcaro CM1' appeared", flush=True)
xdotool("windowfocus", "--sync", main)
until("Label7", lambda text: text.startswith("Clique sur D"))

xdotool("key", "alt+d")
until("Label7", lambda text: text == "Donne ta réponse et appuie sur ENTREE")
dividend, divisor = int(shown["Label1"]), int(shown["Label3"])
xdotool("type", str(dividend // divisor))
xdotool("key", "Return")
until("Label7", lambda text: text == "Bonne réponse ")
until("Label6", lambda text: text == "1 / 1")

# "&Quitter": the confirmation is a window of its own, with the focus on "Non".
xdotool("key", "alt+q")
while not visible_windows() - {main}:
    time.sleep(0.1)  # looks again: the wait ends when the window is there, however long
confirmation = (visible_windows() - {main}).pop()
print("ok: the quit confirmation appeared", flush=True)
xdotool("windowfocus", "--sync", confirmation)
xdotool("key", "Tab", "Return")
status = game.wait()
if status != 0:
    sys.exit(f"FAIL: the game ended with status {status}")
print("ok: 'Oui' ended the game with status 0")
