#!/usr/bin/env python3
"""The installer under Wine, silent (/S) as deployment tools run it: for every user (Wine's user
is an administrator), then moved by a second install, then for the current user alone; what it
puts where, and uninstalling all of it and nothing more. The installed game, started from its
shortcut with only its own folder's DLLs, is played (winemachine.py).
    tst_installer.py SETUP.exe STAGED_FOLDER VERSION WORK_FOLDER (emptied: prefix and HOME)"""
import re, sys
from pathlib import Path
from winemachine import MENU, WineMachine, check, entry_values, files

setup, stage, version, work = Path(sys.argv[1]), Path(sys.argv[2]), sys.argv[3], Path(sys.argv[4])
KEY, staged = "CalcaroCM1", files(stage)


def installed(instdir, root, other_root, menu):
    found = files(machine.unix(instdir))
    check(found.pop(Path("Desinstaller.exe"), None) and found == staged,
          f"{instdir} holds the {len(staged)} staged files and Desinstaller.exe")
    check(machine.shortcuts() == [(menu, instdir + r"\Calcaro.exe")], f"one shortcut, in {menu}")
    values, uninstaller = machine.entry(root, KEY), f'"{instdir}\\Desinstaller.exe"'
    expected = {**entry_values(version), "DisplayIcon": instdir + r"\Calcaro.exe,0",
                "InstallLocation": instdir, "UninstallString": uninstaller,
                "QuietUninstallString": uninstaller + " /S"}
    check(values and {k: values.get(k) for k in expected} == expected, f"{root} entry {values}")
    size = sum(map(len, staged.values())) // 1024
    check(size <= values["EstimatedSize"] <= size + 1024, f"for {size} KB of staged files")
    check(machine.entry(other_root, KEY) is None, f"no entry under {other_root}")
    return values


def uninstall(values):
    program, arguments = re.fullmatch(r'"(.+)" (.*)', values["QuietUninstallString"]).groups()
    check(machine.run("wine", program, *arguments.split()) == 0, "the uninstaller exits with 0")
    machine.run("wineserver", "-w")  # it goes on from a copy in %TEMP%: wait for it to end


with WineMachine(work) as machine:
    run, unix, shortcuts = machine.run, machine.unix, machine.shortcuts
    status = run("wine", setup, "/S", "/ALLUSERS", "/CURRENTUSER")
    check(status == 87 and not shortcuts(), f"/ALLUSERS /CURRENTUSER refused ({status})")
    check(run("wine", setup, "/S") == 0, "setup /S")
    installed(r"C:\Program Files\Calcaro CM1", "HKLM", "HKCU", MENU)
    machine.play(shortcuts()[0][1])

    check(run("wine", setup, "/S", r"/D=C:\Jeux\Calcaro") == 0
          and not unix(r"C:\Program Files\Calcaro CM1").exists(),
          r"setup /S /D=C:\Jeux\Calcaro: moved from Program Files")
    uninstall(installed(r"C:\Jeux\Calcaro", "HKLM", "HKCU", MENU))
    check(not unix(r"C:\Jeux\Calcaro").exists() and not shortcuts()
          and machine.entry("HKLM", KEY) is None, "no folder, shortcut or entry left")

    statuses = [run("wine", setup, "/S", "/CURRENTUSER") for _ in range(2)]
    check(statuses == [0, 0], f"setup /S /CURRENTUSER, twice: {statuses}")
    instdir = rf"C:\users\{machine.user}\AppData\Local\Programs\Calcaro CM1"
    values = installed(instdir, "HKCU", "HKLM", machine.menu)
    (unix(instdir) / "notes.txt").write_text("mes notes")  # the user's own
    uninstall(values)
    check([p.name for p in unix(instdir).iterdir()] == ["notes.txt"] and not shortcuts()
          and machine.entry("HKCU", KEY) is None, "all gone but the user's notes.txt and its folder")
