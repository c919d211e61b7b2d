"""The installers' Windows computer: a private Wine prefix (Windows 10) on a display of its own,
what an install left in it, and the installed game played with the keyboard: its window, one
question answered (read from its captions log), "&Quitter" then "Oui", status 0."""
import os, re, shutil, struct, subprocess, sys, time
from pathlib import Path

UNINSTALL = r"Software\Microsoft\Windows\CurrentVersion\Uninstall"
MENU = Path("ProgramData/Microsoft/Windows/Start Menu/Programs")  # for every user
PUBLISHER = "L’équipe Calcaro"


def entry_values(version):  # what both installers' uninstall entries show, among the rest
    return {"DisplayName": "Calcaro CM1", "DisplayVersion": version, "Publisher": PUBLISHER,
            "NoModify": 1, "NoRepair": 1}


def check(ok, what, detail=""):
    print(("ok: " if ok else "FAILED: ") + what + (f": {detail}" if detail and not ok else ""),
          flush=True)
    ok or sys.exit(1)


def files(folder):
    return {p.relative_to(folder): p.read_bytes() for p in Path(folder).rglob("*") if p.is_file()}


class WineMachine:
    def __init__(self, work):
        self.work, self.drive_c = Path(work), Path(work) / "prefix/drive_c"
        shutil.rmtree(work, ignore_errors=True)
        (self.work / "home").mkdir(parents=True)
        # No Mono nor Gecko to offer, and no menu entries made from shortcuts on this computer.
        self.env = dict(os.environ, WINEPREFIX=str(self.work / "prefix"), WINEDEBUG="-all",
                        HOME=str(self.work / "home"),
                        WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-nolisten", "tcp"],
                                     stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.env["DISPLAY"] = ":" + self.xvfb.stdout.readline().decode().strip()
        self.run("wineboot", "--init", stderr=subprocess.DEVNULL)
        self.run("winecfg", "-v", "win10")  # Wine 8 says Windows 7, which the installers refuse
        self.user = next(p.name for p in (self.drive_c / "users").iterdir() if p.name != "Public")
        self.menu = Path("users", self.user, "AppData/Roaming") / MENU.relative_to("ProgramData")

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        self.run("wineserver", "-k")
        self.run("wineserver", "-w")
        self.xvfb.kill()
        self.xvfb.wait()

    def run(self, *command, **options):
        return subprocess.run(command, env=self.env, timeout=120, **options).returncode

    def unix(self, path):
        return self.drive_c / path[3:].replace("\\", "/")

    def registry(self, key):
        """key and the keys under it, their values (None: no key); "reg query" mangles texts."""
        out = self.work / "key.reg"
        if self.run("wine", "reg", "export", key, "Z:" + str(out).replace("/", "\\"), "/y",
                    "/reg:64", stdout=subprocess.DEVNULL):
            return None
        text = out.read_text("utf-16").replace("\r\n", "\n")
        return {name: {n: int(v[6:], 16) if v.startswith("dword:") else re.sub(r"\\(.)", r"\1", v[1:-1])
                       for n, v in re.findall(r'^"([^"]*)"=(.*)$', body, re.M)}
                for name, body in re.findall(r"^\[([^]]*)\]\n(.*?)(?=^\[|\Z)", text, re.M | re.S)}

    def entry(self, root, name):  # an uninstall entry's values under HKLM or HKCU, or None
        keys = self.registry(rf"{root}\{UNINSTALL}\{name}")
        return keys and next(iter(keys.values()))

    def shortcuts(self):
        """Each Calcaro CM1.lnk's folder and target, LinkInfo's LocalBasePath (MS-SHLLINK)."""
        found = []
        for lnk in self.drive_c.rglob("Calcaro CM1.lnk"):
            data = lnk.read_bytes()
            at = 0x4C + (2 + struct.unpack_from("<H", data, 0x4C)[0] if data[0x14] & 1 else 0)
            at += struct.unpack_from("<I", data, at + 16)[0]
            found.append((lnk.parent.relative_to(self.drive_c), data[at:data.index(b"\0", at)].decode()))
        return found

    def play(self, program):
        log = dict(self.env, WINEQT_LOGGING_RULES="calcaro.captions.debug=true",
                   WINEQT_FORCE_STDERR_LOGGING="1")  # Wine hands WINEQT_X to Windows as QT_X
        game = subprocess.Popen(["wine", program], env=log, stderr=subprocess.PIPE)
        shown = {}

        def until(label, caption):
            for line in game.stderr:
                if m := re.match(r"calcaro\.captions: (\w+) ?(.*)", line.decode("cp1252").rstrip("\r\n")):
                    shown[m[1]] = m[2]
                    if m[1] == label and m[2].startswith(caption):
                        return print(f"ok: {label} shows {m[2]!r}", flush=True)
            check(False, f"{label} shows {caption!r} before the game ends ({shown})")

        def xdotool(*args):  # "search" finding nothing fails
            return subprocess.run(["xdotool", *args], env=self.env, timeout=60, capture_output=True,
                                  text=True).stdout.split()

        # xdotool walks the window tree; a window that goes while it walks (Wine makes and drops
        # some as a program starts) ends the search with an X error and no result: it looks again.
        while True:
            search = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name",
                                     "^Calcaro CM1$"], env=self.env, timeout=60,
                                    capture_output=True, text=True)
            if "X Error" not in search.stderr:
                break
        windows = search.stdout.split()
        check(len(windows) == 1, "the game started from the shortcut shows its window",
              f"{windows} {search.stderr.strip()}")
        xdotool("windowfocus", "--sync", windows[0])
        until("Label7", "Clique sur D")
        xdotool("key", "alt+d")
        until("Label7", "Donne ta réponse")
        xdotool("type", str(int(shown["Label1"]) // int(shown["Label3"])))
        xdotool("key", "Return")
        until("Label7", "Bonne réponse ")
        xdotool("key", "alt+q")  # the confirmation shows, its focus on "Non"
        while not (confirmation := set(xdotool("search", "--onlyvisible", "--name", "^Calcaro CM1$"))
                   - set(windows)):
            time.sleep(0.1)  # looks again until it is there, however long that takes
        xdotool("windowfocus", "--sync", confirmation.pop())
        xdotool("key", "Tab", "Return")
        check(game.wait(timeout=60) == 0, '"&Quitter", "Oui": the game ends with status 0')
