#!/usr/bin/env python3
"""The Windows Installer package read by msiinfo; under Wine's msiexec /qn (winemachine.py): the
version before replaced in place, the game played, the older one refused, /x leaving nothing.
    tst_msi.py PACKAGE.msi STAGED_FOLDER VERSION MAKE_MSI.py ICON SOURCE_DATE_EPOCH README WORK"""
import os, re, shutil, subprocess, sys, time
from pathlib import Path
from winemachine import MENU, PUBLISHER, UNINSTALL, WineMachine, check, entry_values, files

msi, stage, version, make_msi, icon, epoch, readme, work = sys.argv[1:]
msi, stage, work, icon, staged = Path(msi), Path(stage), Path(work), Path(icon), files(stage)
older, instdir = "0.99", r"C:\Program Files\Calcaro CM1"


def packed(guid):  # as Windows Installer names its keys
    h = guid.strip("{}").replace("-", "")
    return h[7::-1] + h[11:7:-1] + h[15:11:-1] + "".join(h[i + 1] + h[i] for i in range(16, 32, 2))


def msiinfo(*args, encoding="utf-8"):  # the tables' texts come in UTF-8, the summary's as they are
    out = subprocess.run(["msiinfo", *args], check=True, capture_output=True).stdout
    return out.decode(encoding).replace("\r", "")


table = dict(re.findall(r"^(\w+)\t(.*)$", msiinfo("export", msi, "Property"), re.M))
code, upgrade = table["ProductCode"], table["UpgradeCode"]
expected = {"ALLUSERS": "1", "ProductLanguage": "1036", "ProductName": "Calcaro CM1",
            "ProductVersion": version, "Manufacturer": PUBLISHER, "ARPPRODUCTICON": "calcaro.ico"}
check({k: table.get(k) for k in expected} == expected, "the Property table", table)
check(upgrade in Path(readme).read_text(), f"the README gives the upgrade code {upgrade}")
summary = msiinfo("suminfo", msi, encoding="cp1252").splitlines()
check({"Template: x64;1036", f"Author: {PUBLISHER}", "Title: Base de données d’installation",
       "Created: " + time.ctime(int(epoch))} <= set(summary) and "1252\t_ForceCodepage" in
      msiinfo("export", msi, "_ForceCodepage"), "French summary, dated; code page 1252", summary)
# Windows reckons the entry's size from the File table (Wine's msiexec writes 0).
sizes = re.findall(r"^(?:[^\t]+\t){3}(\d+)\t", msiinfo("export", msi, "File"), re.M)
check(sorted(map(int, sizes)) == sorted(map(len, staged.values())), "the File table's sizes")

# A version before (0.99, older than any released), made the same way: a file more, one different.
shutil.rmtree(work, ignore_errors=True)
shutil.copytree(stage, work / "stage")
(work / "stage/Lisez-moi.txt").write_text("Calcaro CM1 " + older)
(work / "stage/translations/qtbase_fr.qm").write_bytes(b"ancienne traduction")
subprocess.run([sys.executable, make_msi, work / "stage", older, icon, work / "older.msi"],
               check=True, env=dict(os.environ, SOURCE_DATE_EPOCH=epoch))


def leftovers():  # files, keys and values naming the game, Windows Installer's copies
    keys = {**machine.registry("HKLM"), **machine.registry("HKCU")}
    text = "\n".join(f"{k} {v}" for k, v in keys.items()).lower()
    found = [p for p in machine.drive_c.rglob("*") if "calcaro" in str(p).lower()
             or p.parent == machine.unix(r"C:\windows\Installer")]
    names = ("Calcaro", code[1:-1], packed(code), packed(upgrade))
    return found + [n for n in names if n.lower() in text]


def entries():
    return {k.rsplit("\\", 1)[1]: v for k, v in machine.registry(rf"HKLM\{UNINSTALL}").items()
            if v.get("DisplayName") == "Calcaro CM1"}


with WineMachine(work / "machine") as machine:
    msiexec = lambda *args: machine.run("wine", "msiexec", *args, "/qn")
    check(msiexec("/i", work / "older.msi") == 0 and len(entries()) == 1, f"msiexec /i {older} /qn")
    check(msiexec("/i", msi) == 0 and files(machine.unix(instdir)) == staged,
          f"msiexec /i {msi.name} /qn over {older}: {instdir} holds the {len(staged)} staged files")
    # Wine's msiexec puts the menu of every user (ProgramMenuFolder, ALLUSERS=1) in the user's own.
    check(machine.shortcuts() in ([(m, instdir + r"\Calcaro.exe")] for m in (MENU, machine.menu)),
          "one shortcut, in the Start menu", machine.shortcuts())
    values, expected = entries(), entry_values(version)
    check(list(values) == [code] and {k: values[code].get(k) for k in expected} == expected,
          "one uninstall entry, this version's", values)
    # "Applications et fonctionnalités" shows a Windows Installer product with its ProductIcon.
    product = machine.registry(rf"HKLM\Software\Classes\Installer\Products\{packed(code)}")
    product = next(iter(product.values())).get("ProductIcon", "C:\\")
    check(machine.unix(product).read_bytes() == icon.read_bytes(), "the entry's icon", product)
    machine.play(machine.shortcuts()[0][1])
    check(msiexec("/i", work / "older.msi") != 0 and list(entries()) == [code]
          and files(machine.unix(instdir)) == staged, f"{older} refused over {version}")
    found = leftovers()
    check(msiexec("/x", code) == 0 and not (left := leftovers()) and len(found) > len(staged),
          f"msiexec /x {code} /qn: all {len(found)} things naming the game gone", left)
