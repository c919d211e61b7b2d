#!/usr/bin/env python3
"""The installer under Wine, silent (/S) as deployment tools run it: for every user (Wine's user
is an administrator), then moved by a second install, then for the current user alone; what it
puts where, and uninstalling all of it and nothing more. The installed game, started from its
shortcut with only its own folder's DLLs, is played with the keyboard: its window, one question
answered (the question read from its captions log), "&Quitter" then "Oui", status 0.
    tst_installer.py SETUP.exe STAGED_FOLDER VERSION WORK_FOLDER (emptied: prefix and HOME)"""
import os, re, shutil, struct, subprocess, sys, time
from pathlib import Path

setup, stage, version, work = Path(sys.argv[1]), Path(sys.argv[2]), sys.argv[3], Path(sys.argv[4])
KEY = r"Software\Microsoft\Windows\CurrentVersion\Uninstall\CalcaroCM1"
shutil.rmtree(work, ignore_errors=True)
(work / "home").mkdir(parents=True)
drive_c = work / "prefix/drive_c"
# No Mono nor Gecko to offer, and no menu entries made from the shortcuts on this computer.
env = dict(os.environ, WINEPREFIX=str(work / "prefix"), WINEDEBUG="-all", HOME=str(work / "home"),
           WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")
staged = {p.relative_to(stage): p.read_bytes() for p in stage.rglob("*") if p.is_file()}


def check(ok, what, detail=""):
    print(("ok: " if ok else "FAILED: ") + what + (f": {detail}" if detail and not ok else ""),
          flush=True)
    ok or sys.exit(1)


def run(*command, **options):
    return subprocess.run(command, env=env, timeout=120, **options).returncode


def unix(path):
    return drive_c / path[3:].replace("\\", "/")


def entry(root):
    """The uninstall entry's values, exported: "reg query" prints in the console's code page."""
    out = work / "key.reg"
    if run("wine", "reg", "export", rf"{root}\{KEY}", "Z:" + str(out).replace("/", "\\"), "/y",
           "/reg:64", stdout=subprocess.DEVNULL):
        return None
    return {n: int(v[6:], 16) if v.startswith("dword:") else re.sub(r"\\(.)", r"\1", v[1:-1])
            for n, v in re.findall(r'^"([^"]*)"=(.*)$', out.read_text("utf-16"), re.M)}


def shortcuts():
    """Each Calcaro CM1.lnk's folder and target, LinkInfo's LocalBasePath (MS-SHLLINK)."""
    found = []
    for lnk in drive_c.rglob("Calcaro CM1.lnk"):
        data = lnk.read_bytes()
        at = 0x4C + (2 + struct.unpack_from("<H", data, 0x4C)[0] if data[0x14] & 1 else 0)
        at += struct.unpack_from("<I", data, at + 16)[0]
        found.append((lnk.parent.relative_to(drive_c), data[at:data.index(b"\0", at)].decode()))
    return found


def installed(instdir, root, other_root, menu):
    folder = unix(instdir)
    files = {p.relative_to(folder): p.read_bytes() for p in folder.rglob("*") if p.is_file()}
    check(files.pop(Path("Desinstaller.exe"), None) and files == staged,
          f"{instdir} holds the {len(staged)} staged files and Desinstaller.exe")
    check(shortcuts() == [(menu, instdir + r"\Calcaro.exe")], f"one shortcut, in {menu}")
    values, uninstaller = entry(root), f'"{instdir}\\Desinstaller.exe"'
    expected = {"DisplayName": "Calcaro CM1", "DisplayIcon": instdir + r"\Calcaro.exe,0",
                "DisplayVersion": version, "Publisher": "L’équipe Calcaro",
                "InstallLocation": instdir, "UninstallString": uninstaller,
                "QuietUninstallString": uninstaller + " /S", "NoModify": 1, "NoRepair": 1}
    check(values and {k: values.get(k) for k in expected} == expected, f"{root} entry {values}")
    size = sum(map(len, staged.values())) // 1024
    check(size <= values["EstimatedSize"] <= size + 1024, f"for {size} KB of staged files")
    check(entry(other_root) is None, f"no entry under {other_root}")
    return values


def uninstall(values):
    program, arguments = re.fullmatch(r'"(.+)" (.*)', values["QuietUninstallString"]).groups()
    check(run("wine", program, *arguments.split()) == 0, "the uninstaller exits with 0")
    run("wineserver", "-w")  # it goes on from a copy in %TEMP%: wait for it to end


def play(program):
    log = dict(env, WINEQT_LOGGING_RULES="calcaro.captions.debug=true",
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
        return subprocess.run(["xdotool", *args], env=env, timeout=60, capture_output=True,
                              text=True).stdout.split()

    # xdotool walks the window tree; a window that goes while it walks (Wine makes and drops
    # some as a program starts) ends the search with an X error and no result: it looks again.
    while True:
        search = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name",
                                 "^Calcaro CM1$"], env=env, timeout=60, capture_output=True,
                                text=True)
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


xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-nolisten", "tcp"], stdout=subprocess.PIPE,
                        stderr=subprocess.DEVNULL)
try:
    env["DISPLAY"] = ":" + xvfb.stdout.readline().decode().strip()
    run("wineboot", "--init", stderr=subprocess.DEVNULL)
    run("winecfg", "-v", "win10")  # Wine 8 says Windows 7, which the installer refuses
    user = next(p.name for p in (drive_c / "users").iterdir() if p.name != "Public")
    menu = Path("Microsoft/Windows/Start Menu/Programs")

    status = run("wine", setup, "/S", "/ALLUSERS", "/CURRENTUSER")
    check(status == 87 and not shortcuts(), f"/ALLUSERS /CURRENTUSER refused ({status})")
    check(run("wine", setup, "/S") == 0, "setup /S")
    installed(r"C:\Program Files\Calcaro CM1", "HKLM", "HKCU", "ProgramData" / menu)
    play(shortcuts()[0][1])

    check(run("wine", setup, "/S", r"/D=C:\Jeux\Calcaro") == 0
          and not unix(r"C:\Program Files\Calcaro CM1").exists(),
          r"setup /S /D=C:\Jeux\Calcaro: moved from Program Files")
    uninstall(installed(r"C:\Jeux\Calcaro", "HKLM", "HKCU", "ProgramData" / menu))
    check(not unix(r"C:\Jeux\Calcaro").exists() and not shortcuts() and entry("HKLM") is None,
          "no folder, shortcut or entry left")

    statuses = [run("wine", setup, "/S", "/CURRENTUSER") for _ in range(2)]
    check(statuses == [0, 0], f"setup /S /CURRENTUSER, twice: {statuses}")
    instdir = rf"C:\users\{user}\AppData\Local\Programs\Calcaro CM1"
    values = installed(instdir, "HKCU", "HKLM", Path("users", user, "AppData/Roaming") / menu)
    (unix(instdir) / "notes.txt").write_text("mes notes")  # the user's own
    uninstall(values)
    check([p.name for p in unix(instdir).iterdir()] == ["notes.txt"] and not shortcuts()
          and entry("HKCU") is None, "all gone but the user's notes.txt and its folder")
finally:
    run("wineserver", "-k")
    run("wineserver", "-w")
    xvfb.kill()
    xvfb.wait()
