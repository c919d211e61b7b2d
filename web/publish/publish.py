#!/usr/bin/env python3
"""Makes the two ways a school publishes the browser game, from pages assemble.py made.

  scorm   a SCORM 1.2 package, for a learning platform (Moodle, the ENT, Chamilo...): one SCO,
          the page, with the manifest the platform's importer reads
  site    a folder for a school's own web server, which a tablet adds to its home screen and
          which plays offline: the page, its web app manifest, its icons, its service worker

Both come out the same from the same inputs, byte for byte. The zip's entries are in a fixed
order, each dated SOURCE_DATE_EPOCH (or 1 January 1980, the earliest date a zip holds); the
site's files bear the time they are written, as any file a web server serves does.
"""

import argparse
import hashlib
import json
import os
import shutil
import struct
import sys
import time
import zipfile
from xml.sax.saxutils import escape, quoteattr

# No adlcp:masteryscore: the child picks the level and the speed, and a score means something
# else at each of them, so no one pass mark fits a class (docs/web.md, the grade a teacher sees).

MANIFEST = """<?xml version="1.0" encoding="UTF-8"?>
<manifest identifier={identifier} version={version}
          xmlns="http://www.imsproject.org/xsd/imscp_rootv1p1p2"
          xmlns:adlcp="http://www.adlnet.org/xsd/adlcp_rootv1p2"
          xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance"
          xsi:schemaLocation="http://www.imsproject.org/xsd/imscp_rootv1p1p2 imscp_rootv1p1p2.xsd
                              http://www.imsglobal.org/xsd/imsmd_rootv1p2p1 imsmd_rootv1p2p1.xsd
                              http://www.adlnet.org/xsd/adlcp_rootv1p2 adlcp_rootv1p2.xsd">
  <metadata>
    <schema>ADL SCORM</schema>
    <schemaversion>1.2</schemaversion>
  </metadata>
  <organizations default="calcaro">
    <organization identifier="calcaro">
      <title>{title}</title>
      <item identifier="jeu" identifierref="page" isvisible="true">
        <title>{title}</title>
      </item>
    </organization>
  </organizations>
  <resources>
    <resource identifier="page" type="webcontent" adlcp:scormtype="sco" href="{page}">
      <file href="{page}"/>
    </resource>
  </resources>
</manifest>
"""


def date_time():
    seconds = int(os.environ.get("SOURCE_DATE_EPOCH", "315532800"))
    return time.gmtime(max(seconds, 315532800))[:6]


def png_size(data, path):
    # A PNG opens with its signature, then the IHDR chunk: length, type, width, height.
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        raise ValueError(f"{path}: not a PNG")
    return struct.unpack(">II", data[16:24])


def scorm(args, facts):
    page = "calcaro.html"
    manifest = MANIFEST.format(identifier=quoteattr(f"calcaro-cm1-{args.version}"),
                               version=quoteattr(args.version), title=escape(facts["name"]),
                               page=page)
    with open(args.page, "rb") as f:
        files = [("imsmanifest.xml", manifest.encode("utf-8")), (page, f.read())]
    stamp = date_time()
    with zipfile.ZipFile(args.out, "w") as package:
        for name, data in files:
            entry = zipfile.ZipInfo(name, stamp)
            entry.compress_type = zipfile.ZIP_DEFLATED
            entry.external_attr = 0o644 << 16
            # An entry made as a ZipInfo takes no level from the ZipFile: it gets it here.
            package.writestr(entry, data, compresslevel=9)


def site(args, facts):
    out = args.out
    if os.path.isdir(out):
        shutil.rmtree(out)
    os.makedirs(os.path.join(out, facts["icon_folder"]))
    shutil.copyfile(args.page, os.path.join(out, "index.html"))
    icons = []
    for icon in facts["icons"]:
        with open(os.path.join(args.icons, icon["file"]), "rb") as f:
            data = f.read()
        width, height = png_size(data, f.name)
        name = facts["icon_folder"] + "/" + icon["file"]
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)
        icons.append({"src": name, "sizes": f"{width}x{height}", "type": "image/png",
                      "purpose": icon["purpose"]})
    manifest = {
        "name": facts["name"],
        "short_name": facts["short_name"],
        "description": "S’entraîner à la division entière, contre la montre.",
        "lang": "fr",
        "dir": "ltr",
        "id": "./",
        "start_url": "./",
        "scope": "./",
        "display": "fullscreen",
        "orientation": "any",
        "background_color": facts["surround"],
        "theme_color": facts["surround"],
        "categories": ["education", "games", "kids"],
        "icons": icons,
    }
    with open(os.path.join(out, facts["manifest"]), "w", encoding="utf-8") as f:
        json.dump(manifest, f, ensure_ascii=False, indent=2)
        f.write("\n")

    # The worker names its copy of the site after what it holds, so that any change of any file
    # is a new worker, which the browser installs in place of the old one.
    files = ["./", "index.html", facts["manifest"]] + [icon["src"] for icon in icons]
    digest = hashlib.sha256()
    for name in files[1:]:
        with open(os.path.join(out, name), "rb") as f:
            digest.update(f.read())
    with open(args.worker, encoding="utf-8") as f:
        worker = f.read()
    worker = worker.replace("@@CACHE@@", f"calcaro-{args.version}-{digest.hexdigest()[:16]}")
    worker = worker.replace("['@@FILES@@']", json.dumps(files))
    with open(os.path.join(out, "sw.js"), "w", encoding="utf-8") as f:
        f.write(worker)
    if args.depfile:
        read = [os.path.join(args.icons, icon["file"]) for icon in facts["icons"]]
        with open(args.depfile, "w", encoding="utf-8") as f:
            f.write(os.path.join(out, "sw.js").replace(" ", "\\ ") + ": " +
                    " ".join(path.replace(" ", "\\ ") for path in read) + "\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    both = argparse.ArgumentParser(add_help=False)
    both.add_argument("--page", required=True,
                      help="calcaro.html; for the site, the page assembled with --site")
    both.add_argument("--facts", required=True,
                      help="site.json: the name, the colour, the manifest's and icons' files")
    both.add_argument("--version", required=True)
    both.add_argument("--out", required=True, help="the .zip, or the site's folder (made afresh)")
    commands = parser.add_subparsers(dest="command", required=True)
    commands.add_parser("scorm", parents=[both], help="the SCORM 1.2 package")
    folder = commands.add_parser("site", parents=[both], help="the installable site")
    folder.add_argument("--worker", required=True, help="sw.js, with its @@ markers")
    folder.add_argument("--icons", required=True, help="the folder of the icons site.json names")
    folder.add_argument("--depfile", help="where to list the icons read, for the build")
    args = parser.parse_args()
    try:
        with open(args.facts, encoding="utf-8") as f:
            facts = json.load(f)
        (scorm if args.command == "scorm" else site)(args, facts)
    except (OSError, ValueError) as error:
        print(f"publish.py: {error}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
