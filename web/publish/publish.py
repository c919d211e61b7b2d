#!/usr/bin/env python3
"""Makes the two ways a school publishes the browser game, from pages assemble.py made.

  scorm   a SCORM 1.2 package, for a learning platform (Moodle, the ENT, Chamilo...): one SCO,
          the page, with the manifest the platform's importer reads
  site    a folder for a school's own web server, which a tablet adds to its home screen and
          which plays offline: the page, its web app manifest, its icons, its service worker

Both come out the same from the same inputs, byte for byte: files in a fixed order, each dated
SOURCE_DATE_EPOCH (or 1 January 1980).
"""

import argparse
import hashlib
import json
import os
import shutil
import sys
import time
import zipfile
from xml.sax.saxutils import quoteattr

TITLE = "Calcaro CM1"

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


def scorm(args):
    page = "calcaro.html"
    manifest = MANIFEST.format(identifier=quoteattr(f"calcaro-cm1-{args.version}"),
                               version=quoteattr(args.version), title=TITLE, page=page)
    with open(args.page, "rb") as f:
        files = [("imsmanifest.xml", manifest.encode("utf-8")), (page, f.read())]
    stamp = date_time()
    with zipfile.ZipFile(args.out, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as package:
        for name, data in files:
            entry = zipfile.ZipInfo(name, stamp)
            entry.compress_type = zipfile.ZIP_DEFLATED
            entry.external_attr = 0o644 << 16
            package.writestr(entry, data)


def site(args):
    out = args.out
    if os.path.isdir(out):
        shutil.rmtree(out)
    os.makedirs(os.path.join(out, "icons"))
    shutil.copyfile(args.page, os.path.join(out, "index.html"))
    icons = []
    for path, size, purpose in [(args.icon_192, 192, "any"), (args.icon_512, 512, "any"),
                                (args.icon_maskable, 512, "maskable")]:
        name = "icons/" + os.path.basename(path)
        shutil.copyfile(path, os.path.join(out, name))
        icons.append({"src": name, "sizes": f"{size}x{size}", "type": "image/png",
                      "purpose": purpose})
    manifest = {
        "name": TITLE,
        "short_name": "Calcaro",
        "description": "S’entraîner à la division entière, contre la montre.",
        "lang": "fr",
        "dir": "ltr",
        "id": "./",
        "start_url": "./",
        "scope": "./",
        "display": "fullscreen",
        "orientation": "any",
        "background_color": "#546476",
        "theme_color": "#546476",
        "categories": ["education", "games", "kids"],
        "icons": icons,
    }
    with open(os.path.join(out, "manifest.webmanifest"), "w", encoding="utf-8") as f:
        json.dump(manifest, f, ensure_ascii=False, indent=2)
        f.write("\n")

    # The worker names its copy of the site after what it holds, so that any change of any file
    # is a new worker, which the browser installs in place of the old one.
    files = ["./", "index.html", "manifest.webmanifest"] + [icon["src"] for icon in icons]
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


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    commands = parser.add_subparsers(dest="command", required=True)
    package = commands.add_parser("scorm", help="the SCORM 1.2 package")
    package.add_argument("--page", required=True, help="calcaro.html")
    package.add_argument("--version", required=True)
    package.add_argument("--out", required=True, help="the .zip")
    folder = commands.add_parser("site", help="the installable site")
    folder.add_argument("--page", required=True, help="the page assembled with --site")
    folder.add_argument("--worker", required=True, help="sw.js, with its @@ markers")
    folder.add_argument("--icon-192", required=True)
    folder.add_argument("--icon-512", required=True)
    folder.add_argument("--icon-maskable", required=True, help="512 pixels")
    folder.add_argument("--version", required=True)
    folder.add_argument("--out", required=True, help="the folder, made afresh")
    args = parser.parse_args()
    try:
        (scorm if args.command == "scorm" else site)(args)
    except OSError as error:
        print(f"publish.py: {error}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
