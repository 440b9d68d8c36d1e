#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""tools/webbundle.py: a bundle runs as the modules did, under Node, and what it cannot bundle
faithfully is refused. Usage: webbundle_test.py NODE"""
import os
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tools"))
import webbundle  # noqa: E402

NODE = "node"

SHAPES = """const secret = 'shapes';
export function area(w, h) { return w * h; }
export class Box { constructor(w) { this.w = w; } }
export const UNIT = secret.length;
"""
WORDS = """const secret = 'words';
export let greeting = 'hello ' + secret;
export async function later() { return secret; }
"""


class Bundle(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.addCleanup(self.folder.cleanup)
        self.write("shapes.js", SHAPES)
        self.write("words.js", WORDS)

    def write(self, name, text, folder=None):
        with open(os.path.join(folder or self.folder.name, name), "w", encoding="utf-8") as f:
            f.write(text)

    def test_runs_as_the_modules_did_each_keeping_its_own_names(self):
        main = """import {area, Box, UNIT} from './shapes.js';
import {greeting, later} from './words.js';
const secret = 'main';
export const seen = [area(2, 3), new Box(4).w, UNIT, greeting, secret, await later()];
console.log(JSON.stringify(seen));
"""
        out = os.path.join(self.folder.name, "out.mjs")
        with open(out, "w", encoding="utf-8") as f:
            f.write(webbundle.bundle(main, [self.folder.name]))
        run = subprocess.run([NODE, out], capture_output=True, text=True, check=True)
        self.assertEqual(run.stdout.strip(), '[6,4,6,"hello words","main","words"]')
        with open(out, encoding="utf-8") as f:
            self.assertNotIn("import", f.read())

    def test_a_module_is_looked_for_in_each_folder_in_order(self):
        other = tempfile.TemporaryDirectory()
        self.addCleanup(other.cleanup)
        self.write("made.js", "export const made = 1;\n", other.name)
        self.write("shapes.js", "export const UNIT = 2;\n", other.name)
        text = webbundle.bundle("import {UNIT} from './shapes.js';\nimport {made} from './made.js';\n",
                                [self.folder.name, other.name])
        self.assertIn("const UNIT = secret.length;", text)
        self.assertIn("const made = 1;", text)

    def test_refuses_what_it_cannot_bundle_faithfully(self):
        cases = [
            ("a module that imports another", "import {x} from './a.js';\n",
             {"a.js": "import {y} from './b.js';\nexport const x = y;\n"}, "imports another"),
            ("a default export", "import {x} from './a.js';\n",
             {"a.js": "const x = 1;\nexport default x;\n"}, "not understood"),
            ("an export list", "import {x} from './a.js';\n",
             {"a.js": "const x = 1;\nexport {x};\n"}, "not understood"),
            ("a name the module does not export", "import {x, z} from './a.js';\n",
             {"a.js": "export const x = 1;\n"}, "exports no z"),
            ("a module in no folder", "import {x} from './gone.js';\n", {}, "in none of"),
            ("a dynamic import in the main module", "const a = await import('./a.js');\n",
             {"a.js": "export const x = 1;\n"}, "not understood"),
            ("a default import in the main module", "import x from './a.js';\n",
             {"a.js": "export const x = 1;\n"}, "not understood"),
        ]
        for what, main, modules, said in cases:
            with self.subTest(what):
                for name, text in modules.items():
                    self.write(name, text)
                with self.assertRaises(webbundle.BundleError) as raised:
                    webbundle.bundle(main, [self.folder.name])
                self.assertIn(said, str(raised.exception))


if __name__ == "__main__":
    if len(sys.argv) > 1:
        NODE = sys.argv.pop(1)
    unittest.main()
