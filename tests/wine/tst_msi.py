#!/usr/bin/env python3
"""The Windows Installer package: its tables and French summary as msiinfo reads them, the same
bytes when made again from a copy of the staged folder; then under Wine's msiexec, silent (/qn) as
deployment tools run it, in a prefix of its own: the version before it installed, replaced in
place by it (one entry, the new files, the shortcut), the game played from the shortcut
(winemachine.py), the older one refused over it, and /x {ProductCode} taking away every file,
shortcut and registry key that installing added.
    tst_msi.py PACKAGE.msi STAGED_FOLDER VERSION MAKE_MSI.py ICON SOURCE_DATE_EPOCH README WORK"""
import os, re, shutil, subprocess, sys, time
from pathlib import Path
from winemachine import MENU, UNINSTALL, WineMachine, check, files

msi, stage, version, make_msi, icon, epoch, readme, work = sys.argv[1:]
msi, stage, work, readme = Path(msi), Path(stage), Path(work), Path(readme).read_text()
major, minor = map(int, version.split("."))
older = f"{major}.{minor - 1:02d}" if minor else f"{major - 1}.99"


def msiinfo(*args):
    return subprocess.run(["msiinfo", *args], check=True, capture_output=True, text=True).stdout


def properties(package):
    return dict(re.findall(r"^(\w+)\t(.*)$", msiinfo("export", package, "Property"), re.M))


def make(version, out, stage=stage):
    subprocess.run([sys.executable, make_msi, stage, version, icon, out], check=True,
                   env=dict(os.environ, SOURCE_DATE_EPOCH=epoch))


table = properties(msi)
code, upgrade = table["ProductCode"], table["UpgradeCode"]
expected = {"ALLUSERS": "1", "ProductLanguage": "1036", "ProductName": "Calcaro CM1",
            "ProductVersion": version, "Manufacturer": "L’équipe Calcaro", "ARPPRODUCTICON": "calcaro.ico"}
check({k: table.get(k) for k in expected} == expected, "the Property table", table)
check(upgrade in readme, f"the README gives the upgrade code {upgrade}")
summary = msiinfo("suminfo", msi)
check(all(line in summary.splitlines() for line in [
    "Template: x64;1036", "Author: L’équipe Calcaro", "Title: Base de données d’installation",
    "Created: " + time.ctime(int(epoch))]), "the summary, in French, dated SOURCE_DATE_EPOCH", summary)
check(msiinfo("export", msi, "_ForceCodepage").split()[-1] == "1252", "code page 1252")

shutil.rmtree(work, ignore_errors=True)
shutil.copytree(stage, work / "stage")  # its files newer than the staged ones
make(version, work / "again.msi", work / "stage")
check((work / "again.msi").read_bytes() == msi.read_bytes(), "made again from a copy: the same bytes")
make(older, work / "older.msi")
older_code = properties(work / "older.msi")["ProductCode"]
check(older_code != code, f"{older} has a product code of its own")

instdir, staged = r"C:\Program Files\Calcaro CM1", files(stage)


def state():
    """Every file and folder of the computer, every registry key and value."""
    keys = {**machine.registry("HKLM"), **machine.registry("HKCU")}
    return set(machine.drive_c.rglob("*")) | {(k, n, str(v)) for k in keys for n, v in keys[k].items()} | set(keys)


def entries():
    return {k.rsplit("\\", 1)[1]: v for k, v in machine.registry(rf"HKLM\{UNINSTALL}").items()
            if v.get("DisplayName") == "Calcaro CM1"}


with WineMachine(work / "machine") as machine:
    before = state()
    msiexec = lambda *args: machine.run("wine", "msiexec", *args, "/qn")
    check(msiexec("/i", work / "older.msi") == 0 and list(entries()) == [older_code],
          f"msiexec /i {older} /qn", entries())
    check(msiexec("/i", msi) == 0, f"msiexec /i {msi.name} /qn, over {older}")
    check(files(machine.unix(instdir)) == staged, f"{instdir} holds the {len(staged)} staged files")
    check(machine.shortcuts() == [(MENU, instdir + r"\Calcaro.exe")], f"one shortcut, in {MENU}")
    values = entries()
    expected = {"DisplayName": "Calcaro CM1", "DisplayVersion": version, "Publisher": "L’équipe Calcaro"}
    check(list(values) == [code] and {k: values[code].get(k) for k in expected} == expected,
          "one uninstall entry, this version's", values)
    machine.play(machine.shortcuts()[0][1])
    check(msiexec("/i", work / "older.msi") != 0 and list(entries()) == [code]
          and files(machine.unix(instdir)) == staged, f"{older} refused over {version}")
    check(msiexec("/x", code) == 0, f"msiexec /x {code} /qn")
    after = state()
    check(after == before, "every file, folder, key and value added is gone, nothing else",
          f"added {sorted(map(str, after - before))[:20]}, removed {sorted(map(str, before - after))[:20]}")
