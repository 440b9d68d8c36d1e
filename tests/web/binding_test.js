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
    // RTTTL writes a name of its own letters; every other format keeps the title.
    if (f.name !== 'RTTTL') assert.equal(read.melody.title, '着メロ', f.name);
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

test("a session's action is one call with one result: the view's calls and what else to show", async () => {
  const m = await loaded;
  m.setProgramFolder('/p');
  const tab = new m.Session(10, 111);
  const load = tab.load();
  assert.deepEqual(
    load.calls.filter((c) => c.call !== 'SetMarkerTop'),
    [{call: 'PlayWave', path: '/p/open.wav'}]
  );
  assert.deepEqual([load.canUndo, load.empty, load.saved], [false, true, true]);
  const steps = [
    {run: (t) => t.command('white', 13), slot: 0, code: '72', cursor: 1, said: 'スロット 1: B5'},
    {run: (t) => t.command('black', 0), slot: 1, code: '12', cursor: 2, said: 'Slot 2: C#4'},
    {run: (t) => t.command('rest', 0), slot: 2, code: '01', cursor: 3, said: 'Slot 3: rest'},
    {
      run: (t) => t.staffDown(5, 1, 1, 30),
      slot: 5,
      code: m.staffNoteAt(30, true),
      cursor: 5,
      said: `Slot 6: ${m.pitchName(m.staffNoteAt(30, true))}`
    },
    {run: (t) => t.staffDown(0, 2, 0, 30), slot: 0, code: '99', cursor: 0, said: 'Slot 1: empty'}
  ];
  for (const s of steps) {
    const result = s.run(tab);
    assert.equal(result.melody.codes[s.slot], s.code);
    assert.equal(result.melody.cursor, s.cursor);
    assert.deepEqual(result.changed, [s.slot]);
    assert.ok(result.step && result.canUndo && !result.saved);
    assert.ok([result.said.ja, result.said.en].includes(s.said), s.said);
    assert.deepEqual(result.names, [{slot: s.slot, name: result.said}]);
    assert.equal(result.address, m.fragmentOf(result.melody.codes, ''));
    assert.deepEqual(result.calls.at(-1), {call: 'SetStatusText', text: 'NOTE:' + (s.cursor + 1)});
    if (s.code !== '99')
      assert.ok(
        result.calls.some((c) => c.call === 'ShowPicture' && c.path === `/p/${s.code}.bmp`)
      );
  }
  // Moving the cursor alone is no step and writes no address.
  const moved = tab.marker(9);
  assert.deepEqual(
    [moved.step, moved.moved, moved.changed.length, 'address' in moved],
    [false, true, 0, false]
  );
  for (let i = steps.length; i-- > 0;) tab.command('undo', 0);
  assert.deepEqual(tab.snapshot().codes, melodyOf([]));
  assert.equal(tab.command('undo', 0).step, false);
  assert.deepEqual(tab.command('redo', 0).melody.codes, melodyOf(['72']));
  assert.throws(() => tab.command('whistle', 0), RangeError);
  assert.throws(() => tab.command('white', 14), RangeError);
  assert.throws(() => tab.bring({codes: melodyOf(['zz']), cursor: 0, title: ''}), RangeError);
  // An edit refused says why in both languages and changes nothing.
  tab.bring({codes: Array(30).fill('11'), title: ''});
  const refused = tab.command('insert', 0);
  assert.ok(refused.refusal.ja && refused.refusal.en && refused.changed.length === 0);
  tab.delete();
});

test('the melody brought in from a file, an address or a kept one; the one replaced is handed back', async () => {
  const m = await loaded;
  const tab = new m.Session(10, 111);
  tab.load();
  tab.command('white', 0);
  const taken = tab.bringTaken(text('Kaeru:d=4,o=5,b=120:c,d,c7'), 'k.txt', 0, 1);
  assert.deepEqual(taken.melody, {codes: melodyOf(['13', '23', '13']), cursor: 3, title: 'Kaeru'});
  assert.deepEqual(taken.replaced, [{codes: melodyOf(['11']), cursor: 1, title: ''}]);
  assert.equal(taken.format, 'RTTTL');
  assert.equal(taken.report.en.length, 1);
  assert.ok(taken.import);
  const bad = tab.bringAddress('m1.AZ');
  assert.match(bad.refusal.en, /^#m1\.AZ:1:6:/);
  assert.deepEqual(tab.bringAddress('m1.C').melody.codes, melodyOf(['21']));
  tab.markSaved();
  assert.deepEqual([tab.modified(), tab.newMelody().replaced.length], [false, 0]);
  tab.delete();
});

test('input during test play waits and arrives in order, or is dropped when it is stopped', async () => {
  const m = await loaded;
  for (const stopped of [false, true]) {
    const tab = new m.Session(10, 111);
    tab.load();
    const {calls, steps} = tab.startTestPlay();
    assert.deepEqual(calls, [{call: 'SetTestPlayEnabled', enabled: false}]);
    assert.equal(steps.length, 30);
    assert.ok(tab.command('white', 0).queued && tab.staffDown(4, 1, 0, 30).queued);
    assert.deepEqual(tab.showTestPlayStep(0), [{call: 'SetCellBorder', slot: 0, style: 1}]);
    const end = tab.endTestPlay(stopped);
    assert.ok(end.calls.some((c) => c.call === 'SetTestPlayEnabled' && c.enabled));
    assert.deepEqual(end.changed, stopped ? [] : [0, 4]);
    assert.equal(tab.playing(), false);
    tab.delete();
  }
});

test('which key does what comes from the core: the piano by where a key sits, the commands', async () => {
  const m = await loaded;
  const {keys, piano, keptListed, keptMost} = m.shortcuts();
  assert.deepEqual(piano.Z, {command: 'white', value: 0});
  assert.deepEqual(piano['2'], {command: 'black', value: 5});
  assert.deepEqual(piano['0'], {command: 'rest', value: 0});
  assert.deepEqual(keys['Ctrl+Shift+ArrowUp'], {command: 'transpose', value: 12});
  assert.deepEqual(keys['Ctrl+Shift+Z'], {command: 'redo', value: 0});
  assert.deepEqual([keptListed, keptMost], [20, 100]);
  // Every command a key names is one the session runs.
  const tab = new m.Session(10, 111);
  tab.load();
  for (const {command, value} of [...Object.values(keys), ...Object.values(piano)]) {
    assert.equal(typeof tab.command(command, value).canUndo, 'boolean', command);
  }
  tab.delete();
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

test('the tables the page is built with: the layout, the keys and the rows its scripts name', async () => {
  const m = await loaded;
  const folder = fs.mkdtempSync(path.join(require('node:os').tmpdir(), 'merinkast98-tables-'));
  const out = path.join(folder, 'tables.mjs');
  const script = path.join(folder, 'page.js');
  const build = () =>
    require('node:child_process').spawnSync(process.execPath, [
      ...process.execArgv,
      path.join(__dirname, '../../tools/webtables.js'),
      modulePath,
      out,
      script
    ]);
  fs.writeFileSync(script, "w('page.ok');\nw(\"midi.gm-40\") + 'sw.js' + 'merinkast98.tab';\n");
  assert.equal(build().status, 0);
  const tables = await import(out);
  assert.deepEqual(tables.layout, m.mainLayout());
  assert.deepEqual(tables.shortcuts, m.shortcuts());
  assert.deepEqual(tables.formats, m.formats());
  assert.equal(tables.layout.keyNames[tables.layout.blackKeys[0]], 'C#4');
  assert.deepEqual(tables.words, {
    'page.ok': m.words('page.ok'),
    'midi.gm-40': m.words('midi.gm-40')
  });
  assert.equal(tables.words['midi.gm-40'].ja, 'バイオリン');
  // An id that no table has fails the build, naming the script's line.
  fs.writeFileSync(script, "w('page.ok');\nw('page.no-such-row');\n");
  const failed = build();
  assert.notEqual(failed.status, 0);
  assert.match(String(failed.stderr), /page\.js:2: .*page\.no-such-row/);
  assert.throws(() => m.words('page.no-such-row'), RangeError);
  fs.rmSync(folder, {recursive: true});
});

// The cases where the page once said otherwise than the window, through the module as the page
// meets it; page_test.js runs the same through the page.
test('as the window, through the module: blank lines, instruments, a renamed tune, the start slot', async () => {
  const m = await loaded;
  const midi = m.exportAs(melodyOf(['11', '21']), 'mid', 'm.mid', '').bytes; // square lead: 80
  const cases = [
    (tab) => {
      const blank = tab.bringTaken(text('\n \n\t\n'), 'blank.txt', 0, 1);
      assert.equal(blank.refusal.ja, m.examine(text('\n'), 'blank.txt').refusal.ja);
      assert.match(
        blank.refusal.ja,
        new RegExp(m.words('file.empty').ja.replace(/[()（）]/g, '.'))
      );
      assert.deepEqual(tab.snapshot().codes, melodyOf(['11']));
    },
    () => {
      const [part] = m.examine(midi, 'm.mid').parts;
      assert.deepEqual(part.instrument, m.words(`midi.gm-${part.program}`));
      assert.deepEqual(part.instrument, {ja: 'リード 1（スクエア）', en: 'Lead 1 (square)'});
    },
    (tab) => {
      assert.match(tab.exportAs('mid').file, /^melody\.mid$/);
      tab.setTitle('a,b:c');
      const written = tab.exportAs('rtttl');
      assert.equal(written.file, 'a,b:c.rtttl');
      assert.equal(written.mime, m.formats().find((f) => f.name === 'RTTTL').mime);
      assert.equal(new TextDecoder().decode(written.bytes).split(':')[0], 'abc');
      assert.equal(
        written.nameChange.en,
        m.words('rtttl.name-changed').en.replace('{0}', 64).replace('{1}', 'abc')
      );
      assert.equal(tab.exportAs('mid').nameChange, null);
    },
    () => {
      const from = m.words('page.part.from');
      assert.deepEqual(from, {ja: '曲の何番目の音から:', en: 'From note N of the tune:'});
    }
  ];
  for (const check of cases) {
    const tab = new m.Session(10, 111);
    tab.load();
    tab.command('white', 0);
    check(tab);
    tab.delete();
  }
});
