// SPDX-License-Identifier: MIT
// Writes the core's tables that the page needs before its module has started, as the module gives
// them: an ES module that exports `layout` (mainLayout(): the main window's controls) and
// `pageWords` (pageWords(): the page's words in both languages), which the page's main module
// takes in as it is bundled. The page draws its window from them while the module starts.
// Usage: node webtables.js MODULE.js OUT.js
'use strict';
const fs = require('node:fs');
const path = require('node:path');

const [modulePath, out] = process.argv.slice(2);
if (!out) {
  console.error('usage: node webtables.js MODULE.js OUT.js');
  process.exit(2);
}
require(path.resolve(modulePath))().then((m) => {
  fs.writeFileSync(
    out,
    '// SPDX-License-Identifier: MIT\n// Made by webtables.js from the module.\n' +
      `export const layout = ${JSON.stringify(m.mainLayout())};\n` +
      `export const pageWords = ${JSON.stringify(m.pageWords())};\n`
  );
});
