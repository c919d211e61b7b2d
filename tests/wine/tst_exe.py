#!/usr/bin/env python3
"""What Windows reads from the shipped folder, read back with pefile: Calcaro.exe is a GUI
program with the game's icon and version record, every program and library of the folder is
hardened (ASLR with high entropy, DEP, no section both writable and executable) and stripped,
every DLL they import is shipped or part of Windows, and every DLL shipped is used.

    tst_exe.py FOLDER ICON.ico"""
import struct
import sys
from pathlib import Path

import pefile

folder, ico = Path(sys.argv[1]), Path(sys.argv[2])
failures = []


def check(ok, what):
    print(("ok: " if ok else "FAIL: ") + what, flush=True)
    if not ok:
        failures.append(what)


# Calcaro.exe: the kind of program, the version record as Explorer shows it.
exe = pefile.PE(folder / "Calcaro.exe")
check(exe.OPTIONAL_HEADER.Subsystem == pefile.SUBSYSTEM_TYPE["IMAGE_SUBSYSTEM_WINDOWS_GUI"],
      "Calcaro.exe is a GUI program (no console window)")
fixed = exe.VS_FIXEDFILEINFO[0]
check((fixed.FileVersionMS, fixed.FileVersionLS, fixed.ProductVersionMS,
       fixed.ProductVersionLS) == (1 << 16, 0, 1 << 16, 0), "version numbers 1.0.0.0")
strings = {}
for info in exe.FileInfo[0]:
    for table in getattr(info, "StringTable", []):
        check(table.LangID == b"040904B0", f"string table {table.LangID!r} is US English, Unicode")
        strings.update({k.decode(): v.decode() for k, v in table.entries.items()})
    for var in getattr(info, "Var", []):
        check(var.entry == {b"Translation": "0x0409 0x04b0"}, f"translation {var.entry}")
for key, value in {"FileVersion": "1.00", "ProductVersion": "1.00", "InternalName": "Calcaro",
                   "OriginalFilename": "Calcaro.exe", "ProductName": "Calcaro CM1",
                   "FileDescription": "Calcaro CM1"}.items():
    check(strings.get(key) == value, f"{key} reads {strings.get(key)!r}, expected {value!r}")

# The icon: the group and its images are those of the icon file, image for image.
resources = {entry.id: entry for entry in exe.DIRECTORY_ENTRY_RESOURCE.entries}


def resource_data(entry):
    data_entry = entry.directory.entries[0].data.struct  # its first language
    return exe.get_data(data_entry.OffsetToData, data_entry.Size)


images = {e.id: resource_data(e) for e in resources[pefile.RESOURCE_TYPE["RT_ICON"]].directory.entries}
group = resource_data(resources[pefile.RESOURCE_TYPE["RT_GROUP_ICON"]].directory.entries[0])
ico_bytes = ico.read_bytes()
_, _, count = struct.unpack_from("<HHH", ico_bytes)
expected = []
for i in range(count):
    w, h, _, _, _, _, size, offset = struct.unpack_from("<BBBBHHII", ico_bytes, 6 + 16 * i)
    expected.append((w, h, ico_bytes[offset:offset + size]))
found = []
for i in range(struct.unpack_from("<HHH", group)[2]):
    w, h, _, _, _, _, size, image_id = struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i)
    found.append((w, h, images[image_id]))
check(found == expected, f"the icon holds the {count} images of calcaro.ico: "
      + ", ".join(f"{w or 256}×{h or 256}" for w, h, _ in found))

def section_name(pe, section):
    """A section's name; long ones ("/4") stand in the string table after the symbols."""
    name = section.Name.rstrip(b"\0").decode()
    if not name.startswith("/"):
        return name
    table = pe.FILE_HEADER.PointerToSymbolTable + 18 * pe.FILE_HEADER.NumberOfSymbols
    start = table + int(name[1:])
    return pe.__data__[start:pe.__data__.find(b"\0", start)].decode()


# Every program and library shipped.
windows_dlls = {"kernel32.dll", "user32.dll", "gdi32.dll", "msvcrt.dll", "advapi32.dll",
                "shell32.dll", "ole32.dll", "oleaut32.dll", "comdlg32.dll", "imm32.dll",
                "winmm.dll", "ws2_32.dll", "uxtheme.dll", "dwmapi.dll", "version.dll",
                "netapi32.dll", "userenv.dll", "shlwapi.dll", "d3d9.dll", "dxgi.dll",
                "d3d11.dll", "setupapi.dll", "wtsapi32.dll", "authz.dll", "mpr.dll",
                "shcore.dll", "comctl32.dll", "rpcrt4.dll", "uiautomationcore.dll",
                "dwrite.dll", "d2d1.dll"}
binaries = sorted(p for p in folder.rglob("*") if p.suffix.lower() in (".exe", ".dll"))
shipped = {p.name.lower() for p in binaries if p.parent == folder}
imported = set()
DLLCHAR = pefile.DLL_CHARACTERISTICS
for path in binaries:
    pe = pefile.PE(path)
    name = path.relative_to(folder)
    flags = pe.OPTIONAL_HEADER.DllCharacteristics
    hardening = ("IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE", "IMAGE_DLLCHARACTERISTICS_NX_COMPAT",
                 "IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA")
    if path.name == "Calcaro.exe":
        check(all(flags & DLLCHAR[f] for f in hardening), f"{name}: ASLR (high entropy) and DEP")
    wx = [s.Name.rstrip(b"\0").decode() for s in pe.sections
          if s.Characteristics & 0x80000000 and s.Characteristics & 0x20000000]
    check(not wx, f"{name}: no section both writable and executable {wx or ''}")
    debug = [n for n in map(lambda s: section_name(pe, s), pe.sections) if n.startswith(".debug")]
    check(not debug and pe.FILE_HEADER.NumberOfSymbols == 0, f"{name}: stripped {debug or ''}")
    for dll in getattr(pe, "DIRECTORY_ENTRY_IMPORT", []):
        dll = dll.dll.decode().lower()
        imported.add(dll)
        if dll not in shipped and dll not in windows_dlls and not dll.startswith("api-ms-win-"):
            check(False, f"{name} imports {dll}, which is neither shipped nor part of Windows")
check(shipped - {"calcaro.exe"} <= imported,
      f"every DLL beside the program is used (unused: {sorted(shipped - imported - {'calcaro.exe'})})")

sys.exit(1 if failures else 0)
