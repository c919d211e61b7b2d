#!/usr/bin/env python3
"""Builds the Windows Installer package of Calcaro CM1 with Debian's msitools (wixl) from the
staged folder and resources/windows/calcaro.wxs, the same bytes from the same files, version and
date (SOURCE_DATE_EPOCH; now when it is not set):
    make-msi.py STAGE VERSION ICON OUTPUT.msi
wixl gives the files the dates they have, and the summary information a random package code,
its own clock's time and a US English template: the files are copied with that date, and the
summary is rewritten in French with that date and a package code derived from the contents."""
import hashlib, os, re, shutil, subprocess, sys, tempfile, time, uuid
from pathlib import Path
from xml.sax.saxutils import quoteattr

import gi
import olefile

gi.require_version("Libmsi", "1.0")
from gi.repository import Libmsi

# Every version has this upgrade code, so that Windows Installer replaces one with another; the
# product code of a version is derived from it and the version.
UPGRADE_CODE = uuid.UUID("39F6EAA7-CA67-45A0-8AA8-38BB2A8A949B")
PROGRAM = "Calcaro.exe"  # its component, with the shortcut, is in calcaro.wxs


def product_code(version):
    return str(uuid.uuid5(UPGRADE_CODE, f"Calcaro CM1 {version}")).upper()


def staged_fragment(stage):
    """The component group StagedFiles: one component for each file, its key path, with the GUID
    wixl derives from its folder and name (the same in every version)."""
    def ident(kind, path):
        return kind + hashlib.sha1(str(path).encode()).hexdigest()[:20].upper()

    lines, components = [], []

    def folder(path, depth):
        for child in sorted(path.iterdir()):
            rel, pad = child.relative_to(stage), "  " * depth
            if child.is_dir():
                lines.append(f'{pad}<Directory Id="{ident("d", rel)}" '
                             f'Name={quoteattr(child.name)}>')
                folder(child, depth + 1)
                lines.append(f"{pad}</Directory>")
            elif rel != Path(PROGRAM):
                components.append(ident("c", rel))
                lines.append(f'{pad}<Component Id="{components[-1]}" Guid="*" Win64="yes">'
                             f'<File Id="{ident("f", rel)}" KeyPath="yes" '
                             f'Source={quoteattr(str(child.relative_to(stage.parent)))}/>'
                             "</Component>")

    folder(stage, 3)
    refs = "".join(f'<ComponentRef Id="{c}"/>' for c in components)
    return ('<?xml version="1.0" encoding="utf-8"?>\n'
            '<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi"><Fragment>\n'
            '  <DirectoryRef Id="INSTALLDIR">\n' + "\n".join(lines) + "\n  </DirectoryRef>\n"
            f'  <ComponentGroup Id="StagedFiles">{refs}</ComponentGroup>\n</Fragment></Wix>\n')


WXS = Path(__file__).resolve().with_name("calcaro.wxs")
# The summary's author is the product's manufacturer, as calcaro.wxs writes it.
PUBLISHER = re.search(r'Manufacturer="([^"]+)"', WXS.read_text(encoding="utf-8"))[1]

# What Windows shows of the package (Explorer's Details), in code page 1252 like its tables.
SUMMARY = {Libmsi.Property.TITLE: "Base de données d’installation",
           Libmsi.Property.SUBJECT: "Calcaro CM1",
           Libmsi.Property.AUTHOR: PUBLISHER,
           Libmsi.Property.KEYWORDS: "Installation, jeu, division, école, CM1",
           Libmsi.Property.COMMENTS:
               "Installe Calcaro CM1 pour tous les utilisateurs de l’ordinateur.",
           Libmsi.Property.TEMPLATE: "x64;1036"}


def rewrite_summary(msi, epoch, package_code):
    """libmsi writes the summary's texts as they are given, in UTF-8 whatever the code page the
    summary declares (1252): it writes them with "?" for each other letter, the same length in
    code page 1252, and those letters go in afterwards, in place."""
    database = Libmsi.Database.new(str(msi), Libmsi.DbFlags.TRANSACT, None)
    # The tables' strings are in the code page the database declares: 1252, not wixl's neutral 0.
    (msi.parent / "_ForceCodepage.idt").write_bytes(b"\r\n\r\n1252\t_ForceCodepage\r\n")
    database.import_(str(msi.parent / "_ForceCodepage.idt"))
    summary = Libmsi.SummaryInfo.new(database, len(SUMMARY) + 3)
    for name, text in SUMMARY.items():
        summary.set_string(name, text.encode("ascii", "replace").decode())
    summary.set_string(Libmsi.Property.UUID, "{%s}" % str(package_code).upper())
    filetime = (epoch + 11644473600) * 10_000_000  # 100 ns since 1601
    summary.set_filetime(Libmsi.Property.CREATED_TM, filetime)
    summary.set_filetime(Libmsi.Property.LASTSAVED_TM, filetime)
    summary.persist()
    database.commit()
    del summary, database
    with olefile.OleFileIO(str(msi), write_mode=True) as storage:
        stream = storage.openstream("\x05SummaryInformation").read()
        for text in SUMMARY.values():
            placeholder = text.encode("ascii", "replace") + b"\0"
            assert stream.count(placeholder) == 1, text
            stream = stream.replace(placeholder, text.encode("cp1252") + b"\0")
        storage.write_stream("\x05SummaryInformation", stream)


def main():
    stage, version, icon, output = sys.argv[1:]
    stage, icon, output = Path(stage), Path(icon), Path(output)
    epoch = int(os.environ.get("SOURCE_DATE_EPOCH") or time.time())
    with tempfile.TemporaryDirectory() as work:
        work = Path(work)
        copy = work / "stage"
        shutil.copytree(stage, copy)
        for path in copy.rglob("*"):
            os.utime(path, (epoch, epoch))
        shutil.copyfile(icon, work / "calcaro.ico")
        (work / "files.wxs").write_text(staged_fragment(copy), encoding="utf-8")
        msi = work / "calcaro.msi"
        # wixl finds the files by paths relative to the folder it runs in.
        subprocess.run(["wixl", "--arch", "x64", "-D", f"Version={version}",
                        "-D", f"ProductCode={product_code(version)}",
                        "-D", f"UpgradeCode={str(UPGRADE_CODE).upper()}",
                        "-D", "Stage=stage", "-D", "Icon=calcaro.ico", "-o", msi.name,
                        str(WXS), "files.wxs"],
                       cwd=work, check=True)
        # The package code names these bytes: derived from them with a placeholder in its place.
        rewrite_summary(msi, epoch, uuid.UUID(int=0))
        digest = hashlib.sha256(msi.read_bytes()).hexdigest()
        rewrite_summary(msi, epoch, uuid.uuid5(UPGRADE_CODE, digest))
        shutil.copyfile(msi, output.with_name(output.name + ".part"))
        os.replace(output.with_name(output.name + ".part"), output)


if __name__ == "__main__":
    main()
