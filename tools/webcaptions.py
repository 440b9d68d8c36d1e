#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes the window's English translation (a Qt .ts file) as the page's captions: an ES module
that exports `captions`, {"en": {context: {Japanese source: English translation}}}, which the
page's main module takes in as it is bundled. Unfinished and vanished messages are left out, as
lrelease leaves them out of the window's .qm.

Usage: webcaptions.py TRANSLATION.ts OUT.js
"""
import json
import sys
import xml.etree.ElementTree as ElementTree


def captions(ts_path):
    contexts = {}
    for context in ElementTree.parse(ts_path).getroot().iter("context"):
        messages = contexts.setdefault(context.findtext("name"), {})
        for message in context.iter("message"):
            translation = message.find("translation")
            if translation is None or translation.get("type") in ("unfinished", "vanished", "obsolete"):
                continue
            messages[message.findtext("source")] = translation.text or ""
    return {"en": contexts}


def main():
    ts_path, out_path = sys.argv[1:3]
    with open(out_path, "w", encoding="utf-8") as out:
        out.write("// SPDX-License-Identifier: MIT\n// Made by webcaptions.py from the window's translation.\n")
        out.write("export const captions = ")
        json.dump(captions(ts_path), out, ensure_ascii=False, sort_keys=True)
        out.write(";\n")


if __name__ == "__main__":
    main()
