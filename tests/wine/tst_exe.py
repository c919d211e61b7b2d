#!/usr/bin/env python3
"""What Windows reads from the shipped folder, read back with pefile: Calcaro.exe is a GUI
program with the game's icon and version record and with ASLR (high entropy) and DEP; no program
or library shipped has a section both writable and executable or any symbols left; each DLL they
import is shipped or part of Windows, and each DLL shipped is imported.
    tst_exe.py FOLDER ICON.ico"""
import struct
import sys
from pathlib import Path

import pefile

folder, ico = Path(sys.argv[1]), Path(sys.argv[2]).read_bytes()
failures = 0


def check(ok, what):
    global failures
    failures += not ok
    print(("ok: " if ok else "FAIL: ") + what, flush=True)


exe = pefile.PE(folder / "Calcaro.exe")
check(exe.OPTIONAL_HEADER.Subsystem == 2, "Calcaro.exe is a GUI program, without a console")
fixed = exe.VS_FIXEDFILEINFO[0]
check((fixed.FileVersionMS, fixed.FileVersionLS, fixed.ProductVersionMS, fixed.ProductVersionLS)
      == (0x10000, 0, 0x10000, 0), "its version numbers are 1.0.0.0")
tables = [t for info in exe.FileInfo[0] for t in getattr(info, "StringTable", [])]
strings = {k.decode(): v.decode() for t in tables for k, v in t.entries.items()}
expected = {"FileVersion": "1.00", "ProductVersion": "1.00", "InternalName": "Calcaro",
            "OriginalFilename": "Calcaro.exe", "ProductName": "Calcaro CM1"}
check([t.LangID for t in tables] == [b"040904B0"] and strings.items() >= expected.items(),
      f"its version record, in US English Unicode (040904B0): {strings}")


def resources(kind):
    """The resources of a kind, by id: their first language's bytes."""
    found = next(e for e in exe.DIRECTORY_ENTRY_RESOURCE.entries if e.id == kind)
    return {e.id: exe.get_data(e.directory.entries[0].data.struct.OffsetToData,
                               e.directory.entries[0].data.struct.Size)
            for e in found.directory.entries}


images = resources(pefile.RESOURCE_TYPE["RT_ICON"])
group = next(iter(resources(pefile.RESOURCE_TYPE["RT_GROUP_ICON"]).values()))
in_exe = [struct.unpack_from("<BB6xIH", group, 6 + 14 * i) for i in range(group[4])]
in_ico = [struct.unpack_from("<BB6xII", ico, 6 + 16 * i) for i in range(ico[4])]
check([(w, h, images[n]) for w, h, _, n in in_exe] == [(w, h, ico[at:at + size])
                                                       for w, h, size, at in in_ico],
      f"its icon holds the {len(in_ico)} images of calcaro.ico, byte for byte")

shipped = {p.name.lower() for p in folder.glob("*.dll")}
imported = set()
windows = {"kernel32", "user32", "gdi32", "msvcrt", "advapi32", "shell32", "ole32", "oleaut32",
           "comdlg32", "imm32", "winmm", "ws2_32", "uxtheme", "dwmapi", "version", "netapi32",
           "userenv", "shlwapi", "d3d9", "dxgi", "d3d11", "setupapi", "wtsapi32", "authz", "mpr",
           "shcore", "comctl32", "rpcrt4", "uiautomationcore", "dwrite", "d2d1"}
for path in sorted(folder.rglob("*.[de][lx][le]")):
    pe, name = pefile.PE(path), path.relative_to(folder)
    if path.name == "Calcaro.exe":
        flags = pe.OPTIONAL_HEADER.DllCharacteristics
        check(flags & 0x160 == 0x160, f"{name}: ASLR with high entropy, and DEP")
    check(not any(s.Characteristics & 0xA0000000 == 0xA0000000 for s in pe.sections)
          and pe.FILE_HEADER.NumberOfSymbols == 0,
          f"{name}: no section both writable and executable; stripped")
    for dll in (d.dll.decode().lower() for d in getattr(pe, "DIRECTORY_ENTRY_IMPORT", [])):
        imported.add(dll)
        if dll not in shipped and dll[:-4] not in windows and not dll.startswith("api-ms-win-"):
            check(False, f"{name} imports {dll}, neither shipped nor part of Windows")
check(shipped <= imported, f"each DLL beside Calcaro.exe is used: {sorted(shipped - imported)}")
sys.exit(failures > 0)
