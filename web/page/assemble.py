#!/usr/bin/env python3
"""Assembles the browser game into one self-contained HTML file.

The template's @@NAME@@ markers receive the parts that assemble() puts together (the style
sheet's, the icon and the colour around the windows). The file needs nothing beyond itself: its
policy lets the page run only the scripts and the style that are in it (by their SHA-256) and
show only data: images. With --site, the page is the installable site's: its policy also lets
in the site's manifest, its icons and its service worker, from the page's own origin.
"""

import argparse
import base64
import hashlib
import html
import json
import re
import sys

MARKER = re.compile(r"@@([A-Z0-9_]+)@@")
# The game's own initial memory is about 10 KB.
MEMORY_BUDGET = 32 * 1024


class AssemblyError(Exception):
    pass


def read_text(path):
    # What the browser hashes is the text after its parser has turned every CR LF and lone CR
    # into LF, so the text is put in that form before hashing.
    with open(path, encoding="utf-8-sig", newline="") as f:
        text = f.read()
    if "\0" in text:
        raise AssemblyError(f"{path}: contains a NUL character, which the HTML parser replaces")
    return text.replace("\r\n", "\n").replace("\r", "\n")


def data_uri(path, mime):
    with open(path, "rb") as f:
        return f"data:{mime};base64," + base64.b64encode(f.read()).decode("ascii")


def csp_hash(text):
    digest = hashlib.sha256(text.encode("utf-8")).digest()
    return "'sha256-" + base64.b64encode(digest).decode("ascii") + "'"


def inline_script(text, path):
    """The script text made safe to sit between <script> and </script>."""
    # "</script" would end the element early; "<\/script" means the same to JavaScript in
    # strings, regular expressions and comments, the only places it can occur.
    text = re.sub(r"</(script)", r"<\\/\1", text, flags=re.IGNORECASE)
    # "<!--" followed by "<script" puts the HTML parser in a state where the real closing tag
    # no longer ends the element. No rewriting keeps every JavaScript context valid, so say so.
    opening = text.find("<!--")
    if opening >= 0 and re.search(r"<script[\s/>]", text[opening:], flags=re.IGNORECASE):
        raise AssemblyError(f'{path}: "<!--" followed by "<script" cannot be inlined safely')
    return text


def inline_style(text):
    # In CSS, "\/" is "/" again, in strings as well as elsewhere.
    return re.sub(r"</(style)", r"<\\/\1", text, flags=re.IGNORECASE)


def check_template(template, path):
    # The policy allows no style attribute and no inline event handler: they would be ignored.
    if re.search(r"<[^>]*\sstyle\s*=", template, flags=re.IGNORECASE):
        raise AssemblyError(f"{path}: a style attribute would be blocked by the page's policy")
    if re.search(r"<[^>]*\son[a-z]+\s*=", template, flags=re.IGNORECASE):
        raise AssemblyError(f"{path}: an inline event handler would be blocked by the page's policy")


def fill(template, values, path):
    used = set()

    def replace(match):
        name = match.group(1)
        if name not in values:
            raise AssemblyError(f"{path}: unknown marker @@{name}@@")
        used.add(name)
        return values[name]

    # One pass: what is put in is never searched for markers again.
    result = MARKER.sub(replace, template)
    missing = sorted(set(values) - used)
    if missing:
        raise AssemblyError(f"{path}: no marker for " + ", ".join(missing))
    return result


def assemble(args):
    template = read_text(args.template)
    check_template(template, args.template)
    with open(args.facts, encoding="utf-8") as f:
        facts = json.load(f)

    icon = data_uri(args.icon, "image/png")
    picture = data_uri(args.picture, "image/jpeg")
    srcset = ""
    if args.picture_2x:
        srcset = f' srcset="{data_uri(args.picture_2x, "image/jpeg")} 2x"'

    style = inline_style(fill(read_text(args.css),
                              {"ICON": icon, "SURROUND": facts["surround"]}, args.css))
    module = inline_script(read_text(args.module), args.module)
    # The page holds no file beside it: a module would go looking for its memory in vain.
    if re.search(r'\bmemoryInitializer\s*=\s*"', module):
        raise AssemblyError(f"{args.module}: the module's initial memory is a file of its own; "
                            "link it with --memory-init-file 0")
    # The module's initial memory is in its long base64 strings. Qt's Unicode tables would be
    # 160 KB of it: QString's functions that can ignore case bring them in, in Qt 6.4 even its
    # `==`, and the game compares its texts as views (QStringView) instead.
    memory = sum(len(s) for s in re.findall(r'"[A-Za-z0-9+/]{200,}=*"', module)) * 3 // 4
    if memory > MEMORY_BUDGET:
        raise AssemblyError(f"{args.module}: the module's initial memory is about {memory} bytes, "
                            f"over {MEMORY_BUDGET}: Qt's Unicode tables came in with a QString "
                            "compared or searched by a function that takes a Qt::CaseSensitivity "
                            "(compare QStringView instead; engine/speech.cpp)")
    glue = "\n".join(inline_script(read_text(path), path) for path in args.js)
    stage = inline_script(read_text(args.stage_js), args.stage_js)

    if re.search(r"\bnew Function\s*\(|\beval\s*\(", module):
        print(f"{args.module}: warning: the module builds code at run time (eval or new Function),"
              " which the page's policy blocks; link it with -sDYNAMIC_EXECUTION=0",
              file=sys.stderr)

    # Built as JavaScript, the module brings a WebAssembly object of its own that runs it.
    if not re.search(r"\bvar\s+WebAssembly\s*=", module):
        raise AssemblyError(f"{args.module}: the module compiles WebAssembly, which the page's "
                            "policy forbids; link it with -sWASM=0")

    # The module is JavaScript through and through: no WebAssembly to compile, nothing to fetch.
    policy = "; ".join([
        "default-src 'none'",
        f"script-src {csp_hash(stage)} {csp_hash(glue)} {csp_hash(module)}",
        f"style-src {csp_hash(style)}",
        # Chromium fetches the manifest's icons under the page's img-src.
        "img-src data:" + (" 'self'" if args.site else ""),
        "base-uri 'none'",
        "form-action 'none'",
    ] + (["manifest-src 'self'", "worker-src 'self'"] if args.site else []))
    site_head = ""
    if args.site:
        # iOS before 15.4 reads no manifest icons: it gets the site's first icon here.
        touch_icon = facts["icon_folder"] + "/" + facts["icons"][0]["file"]
        site_head = (f'<link rel="manifest" href="{facts["manifest"]}">\n'
                     f'<link rel="apple-touch-icon" href="{touch_icon}">\n'
                     '<meta name="apple-mobile-web-app-capable" content="yes">\n'
                     f'<meta name="theme-color" content="{facts["surround"]}">\n')

    page = fill(template, {
        "CSP": policy,
        "NAME": html.escape(facts["name"]),
        "STYLE": style,
        "MODULE_SCRIPT": module,
        "GLUE_SCRIPT": glue,
        "STAGE_SCRIPT": stage,
        "ICON": icon,
        "PICTURE": picture,
        "PICTURE_SRCSET": srcset,
        "SITE_HEAD": site_head,
    }, args.template)

    with open(args.out, "w", encoding="utf-8", newline="\n") as f:
        f.write(page)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--template", required=True, help="the page, with its @@NAME@@ markers")
    parser.add_argument("--css", required=True, help="the style sheet, with its @@NAME@@ markers")
    parser.add_argument("--facts", required=True,
                        help="site.json: the name, the colour, the manifest's and icons' files")
    parser.add_argument("--js", required=True, nargs="+", help="the page's own scripts")
    parser.add_argument("--stage-js", required=True,
                        help="the page's script that scales the stage, run before the others")
    parser.add_argument("--module", required=True, help="the game's module (one JS file)")
    parser.add_argument("--icon", required=True, help="a PNG")
    parser.add_argument("--picture", required=True, help="the quit picture, a JPEG")
    parser.add_argument("--picture-2x", help="the same picture at twice the size, a JPEG, for "
                                             "screens and scales that show more pixels")
    parser.add_argument("--site", action="store_true", help="the installable site's page")
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    try:
        assemble(args)
    except (AssemblyError, OSError, ValueError) as error:
        print(f"assemble.py: {error}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
