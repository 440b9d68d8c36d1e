// SPDX-License-Identifier: MIT
// The page's module under Node: file bytes in and out as Uint8Array, words in both languages,
// the handlers' calls for the page to carry out, and undo.
// Usage: node binding_test.js MODULE.js PROGRAM_FOLDER
'use strict';
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const test = require('node:test');

const [modulePath, programFolder] = process.argv.slice(2);
const loaded = require(path.resolve(modulePath))();
const text = (s) => new TextEncoder().encode(s);
const melodyOf = (first) => first.concat(Array(30 - first.length).fill('99'));

test('every format written reads back from its bytes, a Japanese title too', async () => {
  const m = await loaded;
  const codes = melodyOf(['11', '64', '01', '99', '72']);
  // Sound is made of the program's waves: it reads back in the test of the WAV export.
  const written = m.formats().filter((f) => f.writable && f.readable && f.name !== 'WAV audio');
  assert.deepEqual(
    written.map((f) => f.name),
    ['Merinkast98', 'iMelody', 'FMF', 'RTTTL', 'MIDI']
  );
  for (const f of written) {
    const file = 'tune.' + f.extensions[0];
    const out = m.exportAs(codes, f.extensions[0], file, '着メロ');
    assert.ok(out.bytes instanceof Uint8Array, f.name);
    const read = m.take(out.bytes, file, 0, 1);
    assert.equal(read.format, f.name);
    assert.deepEqual(
      read.melody.codes,
      melodyOf(['11', '64', '01', '01', '72']).map((c, i) => (f.ownFile && i === 3 ? '99' : c)),
      f.name
    );
    // An FMF file names no tune: its title is the file's base name.
    if (f.name === 'FMF') assert.equal(read.melody.title, 'tune', f.name);
    else if (f.name !== 'RTTTL') assert.equal(read.melody.title, '着メロ', f.name);
  }
});

test('refusals and reports come in both languages; bytes must be bytes', async () => {
  const m = await loaded;
  const refused = m.take(text('x:d=4,o=5,b=99:c,zz'), 't.txt', 0, 1).refusal;
  assert.match(refused.ja, /^t\.txt:1:18: "zz": 音名/);
  assert.match(refused.en, /^t\.txt:1:18: "zz": not a note/);
  const report = m.take(text('x:d=4,o=5,b=99:c7'), 't.txt', 0, 1).melody.report;
  assert.deepEqual([report.ja.length, report.en.length], [1, 1]);
  assert.match(report.ja[0] + report.en[0], /オクターブ.*octave/);
  assert.throws(() => m.take('x:d=4,o=5,b=99:c', 't.txt', 0, 1), TypeError);
  assert.deepEqual(m.words('sound.not-a-sound-file').en, 'not a sound file that can be read');
});

test('a collection lists its tunes and a MIDI file its parts, each taken from a slot', async () => {
  const m = await loaded;
  const collection = text('one:d=4,o=5,b=99:c,d\ntwo:d=4,o=5,b=99:e,zz\n');
  const tunes = m.examine(collection, 'c.txt');
  assert.deepEqual(
    tunes.choices.map((t) => [t.title, t.refused]),
    [
      ['one', false],
      ['two', true]
    ]
  );
  assert.equal(tunes.offered, 1);
  assert.match(m.take(collection, 'c.txt', 2, 1).refusal.en, /^c\.txt:2:/);
  assert.deepEqual(m.take(collection, 'c.txt', 1, 1).melody.codes, melodyOf(['13', '23']));
  const midi = m.exportAs(melodyOf(['11', '21', '31']), 'mid', 'm.mid', '').bytes;
  const tune = m.examine(midi, 'm.mid');
  assert.deepEqual(
    [tune.choices.length, tune.parts.length, tune.parts[0].lowest, tune.parts[0].highest],
    [0, 1, 'C4', 'E4']
  );
  assert.deepEqual(m.take(midi, 'm.mid', 1, 2).melody.codes, melodyOf(['21', '31']));
  assert.match(m.take(midi, 'm.mid', 2, 1).refusal.en, /part 2/);
});

test("WAV is the slots' waves one after another, read from the folder the page fills", async () => {
  const m = await loaded;
  m.FS.mkdirTree('/program');
  const data = {};
  for (const code of ['11', '01', '72']) {
    const wave = fs.readFileSync(path.join(programFolder, code + '.wav'));
    m.FS.writeFile('/program/' + code + '.wav', wave);
    data[code] = wave.subarray(44);
  }
  m.setProgramFolder('/program');
  const wav = m.exportAs(melodyOf(['11', '99', '72', '11']), 'wav', 'x.wav', '').bytes;
  const expected = Buffer.concat([data['11'], data['01'], data['72'], data['11']]);
  assert.equal(new TextDecoder().decode(wav.subarray(0, 4)), 'RIFF');
  assert.deepEqual(Buffer.from(wav.subarray(44)), expected);
  // Read back, it is listened to: the empty slot sounds, and is heard, as a rest.
  const heard = m.take(wav, 'x.wav', 0, 1);
  assert.equal(heard.format, 'WAV audio');
  assert.deepEqual(heard.melody.codes, melodyOf(['11', '01', '72', '11']));
  assert.match(
    m.exportAs(melodyOf(['11']), 'flac', 'x.flac', '').refusal.en,
    /cannot write \.flac/
  );
});

test('the handlers give the calls the page carries out; undo puts a snapshot back', async () => {
  const m = await loaded;
  m.setProgramFolder('/p');
  const melody = new m.Melody(10, 111);
  assert.deepEqual(
    melody.Form_Load().filter((c) => c.call !== 'SetMarkerTop'),
    [{call: 'PlayWave', path: '/p/open.wav'}]
  );
  const history = new m.MelodyHistory();
  const steps = [
    {run: (x) => x.ken_Click(13), slot: 0, code: '72', cursor: 1},
    {run: (x) => x.bkey_Click(0), slot: 1, code: '12', cursor: 2},
    {run: (x) => x.PedalSW_Click(), slot: 2, code: '01', cursor: 3},
    {
      run: (x) => x.Gosen_MouseDown(5, 1, 1, 0, 30),
      slot: 5,
      code: m.staffNoteAt(30, true),
      cursor: 5
    },
    {run: (x) => x.Gosen_MouseDown(0, 2, 0, 0, 30), slot: 0, code: '99', cursor: 0}
  ];
  for (const s of steps) {
    const before = melody.snapshot();
    const calls = s.run(melody);
    const after = melody.snapshot();
    assert.equal(after.codes[s.slot], s.code);
    assert.equal(after.cursor, s.cursor);
    assert.deepEqual(calls.at(-1), {call: 'SetStatusText', text: 'NOTE:' + (s.cursor + 1)});
    if (s.code !== '99')
      assert.ok(calls.some((c) => c.call === 'ShowPicture' && c.path === `/p/${s.code}.bmp`));
    assert.ok(history.push(before, after));
  }
  assert.equal(melody.np_Click(9).at(-1).text, 'NOTE:10');
  const end = melody.snapshot();
  for (let i = steps.length; i-- > 0;) melody.apply(history.undo());
  assert.deepEqual(melody.snapshot().codes, melodyOf([]));
  assert.equal(history.undo(), null);
  melody.apply(history.redo());
  assert.deepEqual(melody.snapshot().codes, melodyOf(['72']));
  assert.throws(() => melody.apply({codes: melodyOf(['zz']), cursor: 0, title: ''}), RangeError);
  const played = melody
    .Command2_Click()
    .filter((c) => c.call === 'PlayWave')
    .map((c) => c.path);
  assert.deepEqual(
    melody.testPlaySteps().map((s) => `/p/${s.wave}`),
    played
  );
  assert.deepEqual(played.slice(0, 2), ['/p/72.wav', '/p/01.wav']);
  const listing = m.convertMelody(end.codes);
  assert.equal(listing.slots.map((s) => s.keys + '\r\n').join(''), listing.text);
  assert.deepEqual(
    listing.slots.slice(0, 3).map((s) => s.name),
    ['-', 'C#4', 'r']
  );
  melody.delete();
  history.delete();
});

test("the address's fragment round-trips a melody and refuses anything else with the column", async () => {
  const m = await loaded;
  const codes = melodyOf(['11', '72', '01', '99', '42']);
  const fragment = m.fragmentOf(codes, 'かえる');
  assert.equal(fragment, 'm1.AXr-G.44GL44GI44KL');
  assert.deepEqual(m.melodyOfFragment(fragment), {codes, title: 'かえる', cursor: 5});
  assert.match(m.melodyOfFragment('m1.AZ').refusal.en, /^#m1\.AZ:1:6: a slot is one of/);
  assert.match(m.melodyOfFragment('m1.A.Cg').refusal.ja, /制御文字/);
  assert.throws(() => m.fragmentOf(['11'], ''), TypeError);
});

test('the edits of the whole melody give their codes, or a refusal that changes nothing', async () => {
  const m = await loaded;
  const codes = melodyOf(['11', '21', '31']);
  assert.deepEqual(m.insertEmptySlot(codes, 1).codes, melodyOf(['11', '99', '21', '31']));
  assert.deepEqual(m.removeSlot(codes, 0).codes, melodyOf(['21', '31']));
  assert.equal(m.isEmptyMelody(melodyOf([])), true);
  assert.equal(m.isEmptyMelody(melodyOf(['99', '01'])), false); // a rest makes a melody
  assert.deepEqual(m.transpose(codes, 12).codes, melodyOf(['13', '23', '32']));
  assert.match(m.transpose(melodyOf(['72']), 1).refusal.en, /B5/);
  assert.ok(m.insertEmptySlot(Array(30).fill('11'), 0).refusal.ja);
});

test("each slot's key presses are its line of the listing, with its pitch name", async () => {
  const m = await loaded;
  const codes = melodyOf(['11', '12', '01', '99', '72', '21', '01', '23']);
  const slots = m.keyPresses(codes);
  const listing = m.convertMelody(codes).slots;
  assert.equal(slots.length, 30);
  slots.forEach((s, i) => {
    assert.equal(s.slot, i + 1);
    assert.equal(
      (s.confirm ? '[確定]' : '') + `[${s.key}]`.repeat(s.presses),
      listing[i].keys,
      `slot ${i + 1}`
    );
  });
  assert.deepEqual(
    slots.slice(0, 4).map((s) => [s.name, s.rest, s.confirm]),
    [
      ['C4', false, false],
      ['C#4', false, true],
      ['', true, false],
      ['', false, false]
    ]
  );
});

test("the tables the page is built with are the module's layout and page words, whole", async () => {
  const m = await loaded;
  const folder = fs.mkdtempSync(path.join(require('node:os').tmpdir(), 'merinkast98-tables-'));
  const out = path.join(folder, 'tables.mjs');
  require('node:child_process').execFileSync(process.execPath, [
    ...process.execArgv,
    path.join(__dirname, '../../tools/webtables.js'),
    modulePath,
    out
  ]);
  const tables = await import(out);
  assert.deepEqual(tables.layout, m.mainLayout());
  assert.deepEqual(tables.pageWords, m.pageWords());
  assert.ok(tables.layout.controls.some((c) => c.name === 'Gosen29'));
  assert.ok('page.ok' in tables.pageWords && 'guide.title' in tables.pageWords);
  fs.rmSync(folder, {recursive: true});
});
