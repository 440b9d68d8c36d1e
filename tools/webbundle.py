#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes the page's main module with the modules it imports inside it, so that a visit fetches one
script of the page's own rather than one a module. Each module imported (`import {A, B} from
'./name.js';` at the start of a line) becomes a function run once in place of that line, which
gives back what the module exports; the module's own names stay inside it. What the main module
exports stays exported. A module is looked for in each folder given, in order.

Only what the page's modules use is understood: `export` before a function, class, const or let
at the start of a line; a module that imports another, or an import of any other form, is refused.

Usage: webbundle.py MAIN.js OUT.js FOLDER...
"""
import os
import re
import sys

IMPORT = re.compile(r"^import\s*\{([^}]*)\}\s*from\s*'\./([\w.-]+\.js)';[ \t]*\n", re.M)
ANY_IMPORT = re.compile(r"^\s*import\b(?!\()|\bimport\s*\(", re.M)
EXPORT = re.compile(r"^export\s+(?:async\s+)?(?:function\*?|class|const|let)\s+([A-Za-z_$][\w$]*)", re.M)
OTHER_EXPORT = re.compile(r"^export\b(?!\s+(?:async\s+)?(?:function|class|const|let)\b)", re.M)


class BundleError(Exception):
    pass


def find(name, folders):
    for folder in folders:
        path = os.path.join(folder, name)
        if os.path.isfile(path):
            return path
    raise BundleError(f"{name}: in none of {', '.join(folders)}")


def inlined(name, wanted, folders):
    """The text that stands for `import {wanted} from './name'`."""
    with open(find(name, folders), encoding="utf-8") as f:
        text = f.read()
    if ANY_IMPORT.search(text):
        raise BundleError(f"{name}: a module bundled imports another")
    if OTHER_EXPORT.search(text):
        raise BundleError(f"{name}: an export of a form not understood")
    exported = EXPORT.findall(text)
    missing = [w for w in wanted if w not in exported]
    if missing:
        raise BundleError(f"{name} exports no {', '.join(missing)}")
    body = EXPORT.sub(lambda m: m.group(0)[len("export"):].lstrip(), text)
    names = ", ".join(wanted)
    return f"// {name}\nconst {{{names}}} = (() => {{\n{body.rstrip()}\nreturn {{{names}}};\n}})();\n"


def bundle(main_text, folders):
    def replace(match):
        wanted = [w.strip() for w in match.group(1).split(",") if w.strip()]
        return inlined(match.group(2), wanted, folders)

    text = IMPORT.sub(replace, main_text)
    # What is left is an import of another form, which would fetch a file of its own.
    rest = IMPORT.sub("", main_text)
    if ANY_IMPORT.search(rest):
        raise BundleError("the main module imports in a form not understood")
    return text


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__.split("\n\n")[-1])
    main_path, out_path, folders = sys.argv[1], sys.argv[2], sys.argv[3:]
    with open(main_path, encoding="utf-8") as f:
        text = f.read()
    try:
        text = bundle(text, folders)
    except BundleError as error:
        sys.exit(f"webbundle: {error}")
    with open(out_path, "w", encoding="utf-8") as out:
        out.write(text)


if __name__ == "__main__":
    main()
