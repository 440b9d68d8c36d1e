// SPDX-License-Identifier: MIT
// Writes the core's tables that the page needs before its module has started, as the module gives
// them: an ES module that exports `layout` (mainLayout(): the main window's controls), `shortcuts`
// (shortcuts(): which key does what, and the kept melodies listed and held), `formats` (formats())
// and `words`, the rows
// ({ja, en}) of the word tables that the page's scripts name by id, which the page's main module
// takes in as it is bundled. The page draws its window from them while the module starts.
// A word id is a quoted literal whose first part is that of a table's ids ('page.ok',
// "guide.title"); one that no table has fails, naming the script and its line.
// Usage: node webtables.js MODULE.js OUT.js SCRIPT.js...
'use strict';
const fs = require('node:fs');
const path = require('node:path');

const [modulePath, out, ...scripts] = process.argv.slice(2);
if (!out) {
  console.error('usage: node webtables.js MODULE.js OUT.js SCRIPT.js...');
  process.exit(2);
}

// [{id, file, line}] of the word ids that `scripts` name, their first parts among `prefixes`.
function wordIds(prefixes) {
  const pattern = new RegExp(`(['"\`])((?:${[...prefixes].join('|')})\\.[a-z0-9.-]+)\\1`, 'g');
  const found = [];
  for (const file of scripts) {
    fs.readFileSync(file, 'utf8')
      .split('\n')
      .forEach((text, i) => {
        for (const match of text.matchAll(pattern)) {
          found.push({id: match[2], file: path.basename(file), line: i + 1});
        }
      });
  }
  return found;
}

require(path.resolve(modulePath))().then((m) => {
  const known = new Set(m.wordIds());
  const prefixes = new Set([...known].map((id) => id.split('.')[0]));
  const words = {};
  let missing = 0;
  for (const {id, file, line} of wordIds(prefixes)) {
    if (known.has(id)) {
      words[id] = m.words(id);
      continue;
    }
    console.error(`${file}:${line}: no word table has the row "${id}"`);
    ++missing;
  }
  if (missing) process.exit(1);
  fs.writeFileSync(
    out,
    '// SPDX-License-Identifier: MIT\n// Made by webtables.js from the module.\n' +
      `export const layout = ${JSON.stringify(m.mainLayout())};\n` +
      `export const shortcuts = ${JSON.stringify(m.shortcuts())};\n` +
      `export const formats = ${JSON.stringify(m.formats())};\n` +
      `export const words = ${JSON.stringify(words)};\n`
  );
});
