#!/usr/bin/env python3
"""The Windows Installer package: its tables and French summary as msiinfo reads them, the same
bytes when made again from a copy of the staged folder; then under Wine's msiexec, silent (/qn) as
deployment tools run it, in a prefix of its own: the version before it installed, replaced in
place by it (one entry, the new files, the shortcut), the game played from the shortcut
(winemachine.py), the older one refused over it, and /x {ProductCode} taking away every file,
shortcut and registry key that names the game or its codes.
    tst_msi.py PACKAGE.msi STAGED_FOLDER VERSION MAKE_MSI.py ICON SOURCE_DATE_EPOCH README WORK"""
import os, re, shutil, subprocess, sys, time
from pathlib import Path
from winemachine import MENU, UNINSTALL, WineMachine, check, files

msi, stage, version, make_msi, icon, epoch, readme, work = sys.argv[1:]
msi, stage, work, icon = Path(msi), Path(stage), Path(work), Path(icon)
readme = Path(readme).read_text()
major, minor = map(int, version.split("."))
older = f"{major}.{minor - 1:02d}" if minor else f"{major - 1}.99"


def msiinfo(*args, encoding="utf-8"):  # the tables' texts come in UTF-8, the summary's as they are
    return subprocess.run(["msiinfo", *args], check=True, capture_output=True).stdout.decode(encoding).replace("\r", "")


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
summary = msiinfo("suminfo", msi, encoding="cp1252")
check(all(line in summary.splitlines() for line in [
    "Template: x64;1036", "Author: L’équipe Calcaro", "Title: Base de données d’installation",
    "Keywords: Installation, jeu, division, école, CM1",
    "Created: " + time.ctime(int(epoch))]), "the summary, in French, dated SOURCE_DATE_EPOCH", summary)
# Windows Installer reckons the entry's size from the File table (Wine's msiexec writes 0).
sizes = re.findall(r"^[^\t]+\t[^\t]+\t[^\t]+\t(\d+)\t", msiinfo("export", msi, "File"), re.M)
staged = files(stage)
check(sorted(map(int, sizes)) == sorted(map(len, staged.values())), "the File table: every staged file, its size")
check(re.search(r"^1252\t_ForceCodepage$", msiinfo("export", msi, "_ForceCodepage"), re.M),
      "the tables in code page 1252")

shutil.rmtree(work, ignore_errors=True)
shutil.copytree(stage, work / "stage")  # its files newer than the staged ones
make(version, work / "again.msi", work / "stage")
check((work / "again.msi").read_bytes() == msi.read_bytes(), "made again from a copy: the same bytes")
# The version before ships a file this one does not, and another file different.
(work / "stage/Lisez-moi.txt").write_text("Calcaro CM1 " + older)
(work / "stage/translations/qtbase_fr.qm").write_bytes(b"ancienne traduction")
make(older, work / "older.msi", work / "stage")
older_code = properties(work / "older.msi")["ProductCode"]
check(older_code != code, f"{older} has a product code of its own")

instdir = r"C:\Program Files\Calcaro CM1"


def packed(guid):  # as Windows Installer names its keys
    h = guid.strip("{}").replace("-", "")
    return h[7::-1] + h[11:7:-1] + h[15:11:-1] + "".join(h[i + 1] + h[i] for i in range(16, 32, 2))


def leftovers():
    """What names the game on the computer: files and folders, Windows Installer's copies of the
    package (C:\windows\Installer), registry keys and values with its name or codes (as they
    are, and packed as Windows Installer writes them)."""
    keys = {**machine.registry("HKLM"), **machine.registry("HKCU")}
    text = "\n".join(f"{k} {v}" for k, v in keys.items()).lower()
    found = [p for p in machine.drive_c.rglob("*") if "calcaro" in str(p).lower()
             or p.parent == machine.unix(r"C:\windows\Installer")]
    return found + [n for n in ("Calcaro", code[1:-1], packed(code), packed(upgrade)) if n.lower() in text]


def entries():
    return {k.rsplit("\\", 1)[1]: v for k, v in machine.registry(rf"HKLM\{UNINSTALL}").items()
            if v.get("DisplayName") == "Calcaro CM1"}


with WineMachine(work / "machine") as machine:
    msiexec = lambda *args: machine.run("wine", "msiexec", *args, "/qn")
    check(msiexec("/i", work / "older.msi") == 0 and list(entries()) == [older_code],
          f"msiexec /i {older} /qn", entries())
    check(msiexec("/i", msi) == 0, f"msiexec /i {msi.name} /qn, over {older}")
    check(files(machine.unix(instdir)) == staged, f"{instdir} holds the {len(staged)} staged files")
    # Wine's msiexec puts the menu of every user (ProgramMenuFolder with ALLUSERS=1) in the
    # user's own, as its sources say; Windows puts it in ProgramData.
    user_menu = Path("users", machine.user, "AppData/Roaming") / MENU.relative_to("ProgramData")
    check(machine.shortcuts() in ([(m, instdir + r"\Calcaro.exe")] for m in (MENU, user_menu)),
          "one shortcut, in the Start menu", machine.shortcuts())
    values = entries()
    expected = {"DisplayName": "Calcaro CM1", "DisplayVersion": version, "Publisher": "L’équipe Calcaro",
                "NoModify": 1, "NoRepair": 1}
    check(list(values) == [code] and {k: values[code].get(k) for k in expected} == expected,
          "one uninstall entry, this version's", values)
    # "Applications et fonctionnalités" shows a Windows Installer product with its ProductIcon.
    product = next(iter(machine.registry(rf"HKLM\Software\Classes\Installer\Products\{packed(code)}").values()))
    check(machine.unix(product.get("ProductIcon", "C:\\")).read_bytes() == icon.read_bytes(),
          "the entry shows the game's icon", product)
    machine.play(machine.shortcuts()[0][1])
    check(msiexec("/i", work / "older.msi") != 0 and list(entries()) == [code]
          and files(machine.unix(instdir)) == staged, f"{older} refused over {version}")
    found = leftovers()
    check(msiexec("/x", code) == 0, f"msiexec /x {code} /qn")
    left = leftovers()
    check(len(found) > len(staged) and not left,
          f"all {len(found)} files, folders, keys and values naming the game are gone", left)
