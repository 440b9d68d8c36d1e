// SPDX-License-Identifier: MIT
// The key-press conversion as the page calls it: the module's convertMelody, one call a melody
// (the listing and each slot's pitch name and key presses), for the same 20,000 random melodies
// in each of 7 rounds. Usage: node convert_bench.js MODULE.js
'use strict';
const path = require('node:path');

require(path.resolve(process.argv[2]))().then((m) => {
  const codes = [
    '11',
    '12',
    '21',
    '22',
    '31',
    '41',
    '42',
    '51',
    '52',
    '61',
    '62',
    '71',
    '13',
    '14',
    '23',
    '24',
    '32',
    '43',
    '44',
    '53',
    '54',
    '63',
    '64',
    '72',
    '01',
    '99'
  ];
  let seed = 98;
  const random = () => (seed = (seed * 1103515245 + 12345) % 2147483648);
  const melodies = Array.from({length: 20000}, () =>
    Array.from({length: 30}, () => codes[random() % codes.length])
  );
  const rates = [];
  for (let round = 0; round < 7; ++round) {
    const start = process.hrtime.bigint();
    for (const melody of melodies) m.convertMelody(melody);
    rates.push(melodies.length / (Number(process.hrtime.bigint() - start) / 1e9));
  }
  rates.sort((a, b) => a - b);
  console.log(
    `${melodies.length} melodies through the binding, one call each: ` +
      `best ${rates[6].toFixed(0)}/s, median ${rates[3].toFixed(0)}/s`
  );
});
