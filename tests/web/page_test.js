// SPDX-License-Identifier: MIT
// The page as a user meets it, in the system's headless Chromium: one scenario a feature, each
// checked against what the core itself says.
// Usage: node page_test.js PAGE_FOLDER   (CHROMIUM names the browser when it is not on PATH)
'use strict';
const assert = require('node:assert/strict');
const fs = require('node:fs');
const http = require('node:http');
const os = require('node:os');
const path = require('node:path');
const test = require('node:test');
const {chromium} = require('playwright-core');

const root = path.resolve(process.argv[2]);
const TYPES = {
  '.html': 'text/html',
  '.js': 'text/javascript',
  '.css': 'text/css',
  '.wasm': 'application/wasm',
  '.json': 'application/json',
  '.png': 'image/png',
  '.webmanifest': 'application/manifest+json'
};

function browserPath() {
  if (process.env.CHROMIUM) return process.env.CHROMIUM;
  for (const dir of (process.env.PATH || '').split(':')) {
    const file = path.join(dir, 'chromium');
    if (fs.existsSync(file)) return file;
  }
  throw new Error('no chromium on PATH (scripts/setup installs it)');
}

// A static server of the page on a port of its own: {server, base}.
async function serve() {
  const server = http.createServer((request, response) => {
    const name = new URL(request.url, 'http://page').pathname.replace(/\/$/, '/index.html');
    fs.readFile(path.join(root, path.normalize(name)), (error, data) => {
      response.writeHead(error ? 404 : 200, {
        'content-type': TYPES[path.extname(name)] ?? 'application/octet-stream'
      });
      response.end(error ? '' : data);
    });
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return {server, base: `http://127.0.0.1:${server.address().port}/`};
}

// A browser of the scenario `t`'s own, closed however the scenario ends.
async function ownBrowser(t) {
  const browser = await chromium.launch({
    executablePath: browserPath(),
    headless: true,
    args: ['--no-sandbox', '--disable-gpu']
  });
  t.after(() => browser.close());
  return browser;
}

let server, context, base;
test.before(async () => {
  ({server, base} = await serve());
  context = await chromium.launchPersistentContext(
    fs.mkdtempSync(path.join(os.tmpdir(), 'merinkast98-chromium-')),
    {
      executablePath: browserPath(),
      headless: true,
      acceptDownloads: true,
      viewport: {width: 1280, height: 800},
      args: [
        '--headless',
        '--no-sandbox',
        '--disable-gpu',
        '--disable-quic',
        '--no-first-run',
        '--disable-background-networking',
        '--disable-component-update',
        '--disable-sync'
      ]
    }
  );
});
test.after(async () => {
  await context?.close();
  server?.close();
});

// A fresh page, ready to take a click; errors of the page fail the test.
async function open() {
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  page.errors = errors;
  await page.goto(base);
  await page.waitForSelector('body[data-ready]');
  return page;
}

// Runs `f(session, arg)` in the page, with the page's session (the core's module among it).
const inPage = (page, f, arg) =>
  page.evaluate(
    async ([source, arg]) => {
      const {session} = await import('./main.js');
      return (0, eval)(source)(session, arg);
    },
    [f.toString(), arg]
  );
const codes = (page) => inPage(page, (s) => s.melody().codes);
const melodyOf = (first) => first.concat(Array(30 - first.length).fill('99'));

test('composing by clicks, keys and the keyboard, converted as the core converts', async () => {
  const page = await open();
  // The ghost shows the band's note and its name where a click would write it.
  await page.hover('#Gosen3', {position: {x: 10, y: 30}});
  const band = await inPage(page, (s) => ({code: s.m.staffNoteAt(30, false)}));
  const name = await inPage(page, (s, code) => s.m.pitchName(code), band.code);
  assert.equal(await page.textContent('#Gosen3 .ghostname'), name);
  await page.mouse.down();
  await page.mouse.up();
  await page.click('#Gosen4', {position: {x: 10, y: 60}, modifiers: ['Shift']});
  await page.keyboard.press('ArrowRight');
  await page.click('#ken13');
  await page.click('#bkey0');
  await page.click('#PedalSW');
  await page.keyboard.press('KeyQ');
  await page.keyboard.press('Digit2');
  await page.keyboard.press('ArrowLeft');
  await page.keyboard.press('Digit0');
  const sharp = await inPage(page, (s) => s.m.staffNoteAt(60, true));
  const expected = melodyOf(['99', '99', '99', band.code, sharp, '72', '12', '01', '13', '01']);
  assert.deepEqual(await codes(page), expected);
  assert.equal(await page.textContent('#StatusBar1'), 'NOTE:11');
  assert.equal(await page.getAttribute('#Gosen5', 'aria-label'), 'スロット 6: B5');
  await page.click('#Gosen9', {button: 'right'});
  await page.keyboard.press('Control+KeyZ');
  assert.deepEqual(await codes(page), expected);
  await page.keyboard.press('Control+KeyY');
  assert.equal((await codes(page))[9], '99');
  await page.click('#Command1');
  const listing = await inPage(page, (s) => s.m.convertMelody(s.melody().codes).text);
  assert.equal(await page.inputValue('#Text1'), listing.replace(/\r\n/g, '\n'));
  assert.deepEqual(page.errors, []);
  await page.close();
});

const KEYS = 'ZSXDCVGBHNJMQ2W3ER5T6Y7U0ZXCVB'
  .split('')
  .map((k) => (k <= '9' ? 'Digit' : 'Key') + k);
const wavSamples = (wav) =>
  Array.from({length: (wav.length - 44) / 2}, (_, i) => wav.readInt16LE(44 + 2 * i));

test("test play sounds the core's steps back to back, sample for sample the WAV export", async () => {
  const page = await open();
  for (const key of KEYS) await page.keyboard.press(key);
  const before = await codes(page);
  await page.click('#Command2');
  await page.waitForSelector('#MerinMain .staff.bordered');
  assert.ok(await page.isDisabled('#Command2'));
  await page.click('#ken3');
  await page.keyboard.press('KeyZ');
  await page.keyboard.press('Escape');
  await page.waitForSelector('#Command2:not([disabled])');
  assert.equal(await page.locator('#MerinMain .bordered').count(), 0);
  assert.deepEqual(await codes(page), before);
  await page.selectOption('#ExportFormat', 'wav');
  const [download] = await Promise.all([
    page.waitForEvent('download'),
    page.click('#ExportButton')
  ]);
  assert.equal(download.suggestedFilename(), 'melody.wav');
  const exported = wavSamples(fs.readFileSync(await download.path()));
  const rendered = await inPage(page, async (s) => {
    // Chromium decodes a 16-bit sample s as s / 32767.
    return Array.from(await s.render(s.steps(), s.waves), (sample) => Math.round(sample * 32767));
  });
  assert.equal(rendered.length, exported.length);
  assert.equal(
    rendered.findIndex((sample, i) => sample !== exported[i]),
    -1
  );
  await page.close();
});

// A Standard MIDI File of one track a part: [{name, channel, keys, program}], a quarter note a
// key, the General MIDI program (0 unless given) set first.
function midiFile(parts) {
  const chunk = (type, body) => {
    const length = Buffer.alloc(4);
    length.writeUInt32BE(body.length);
    return Buffer.concat([Buffer.from(type), length, Buffer.from(body)]);
  };
  const tracks = parts.map(({name, channel, keys, program = 0}) =>
    chunk('MTrk', [
      0,
      0xff,
      0x03,
      name.length,
      ...Buffer.from(name),
      0,
      0xc0 | channel,
      program,
      ...keys.flatMap((k) => [0, 0x90 | channel, k, 100, 96, 0x80 | channel, k, 0]),
      0,
      0xff,
      0x2f,
      0
    ])
  );
  return Buffer.concat([chunk('MThd', [0, 1, 0, parts.length, 0, 96]), ...tracks]);
}

test('a MIDI file of three parts opened, the second taken from slot 2', async () => {
  const page = await open();
  const midi = midiFile([
    {name: 'Bass', channel: 0, keys: [48, 50, 52]},
    {name: 'Piano', channel: 1, keys: [60, 62, 64, 65, 67]},
    {name: 'Strings', channel: 2, keys: [72, 74, 76, 77]}
  ]);
  await page.setInputFiles('#OpenFile', {name: 'three.mid', mimeType: 'audio/midi', buffer: midi});
  await page.waitForSelector('#ChoiceDialog[open]');
  assert.equal(await page.locator('#ChoiceList [role=option]').count(), 3);
  await page.click('#ChoiceList [role=option]:nth-child(3)');
  await page.fill('#From', '2');
  await page.press('#From', 'Enter');
  await page.waitForSelector('#MessageDialog[open]');
  const expected = await inPage(
    page,
    (s, bytes) => s.m.take(new Uint8Array(bytes), 'three.mid', 2, 2),
    [...midi]
  );
  assert.deepEqual(await codes(page), expected.melody.codes);
  assert.equal(expected.melody.codes[0], '21');
  assert.match(await page.textContent('#MessageText'), /^MIDI を読み込みました: three\.mid/);
  await page.close();
});

test("a pasted collection offers its tunes, a refused one greyed with the reader's reason", async () => {
  const page = await open();
  const text = 'one:d=4,o=5,b=99:c,d\ntwo:d=4,o=5,b=99:e,f,g\nbad:d=4,o=5,b=99:zz\n';
  await page.evaluate((t) => {
    const data = new DataTransfer();
    data.setData('text/plain', t);
    document.body.dispatchEvent(new ClipboardEvent('paste', {clipboardData: data, bubbles: true}));
  }, text);
  await page.waitForSelector('#ChoiceDialog[open]');
  const expected = await inPage(
    page,
    (s, t) => {
      const bytes = new TextEncoder().encode(t);
      return {
        reason: s.m.examine(bytes, 'クリップボード').choices[2].reason.ja,
        codes: s.m.take(bytes, 'クリップボード', 2, 1).melody.codes
      };
    },
    text
  );
  assert.match(await page.textContent('#ChoiceList [aria-disabled=true]'), /^3\. bad — /);
  assert.ok((await page.textContent('#ChoiceList [aria-disabled=true]')).endsWith(expected.reason));
  await page.keyboard.press('ArrowDown');
  await page.keyboard.press('ArrowDown');
  await page.keyboard.press('Enter');
  await page.waitForSelector('#MessageDialog[open]');
  assert.deepEqual(await codes(page), expected.codes);
  await page.close();
});

test('an empty melody is refused; RTTTL downloaded by its title opens back the same', async () => {
  const page = await open();
  await page.selectOption('#ExportFormat', 'rtttl');
  await page.click('#ExportButton');
  const refusal = await inPage(
    page,
    (s) => s.m.exportAs(s.melody().codes, 'rtttl', 'melody.rtttl', '').refusal.ja
  );
  assert.ok((await page.textContent('#MessageText')).endsWith(refusal));
  await page.keyboard.press('Enter');
  await page.setInputFiles('#OpenFile', {
    name: 'k.txt',
    mimeType: 'text/plain',
    buffer: Buffer.from('Kaeru:d=4,o=5,b=120:c,d,e,f,e,d,c,p,e,f,g,a')
  });
  await page.waitForSelector('#MessageDialog[open]');
  await page.keyboard.press('Enter');
  const opened = await inPage(page, (s) => s.melody());
  const [download] = await Promise.all([
    page.waitForEvent('download'),
    page.click('#ExportButton')
  ]);
  assert.equal(download.suggestedFilename(), 'Kaeru.rtttl');
  await page.click('#ken0');
  await page.setInputFiles('#OpenFile', await download.path());
  await page.waitForSelector('#MessageDialog[open]');
  assert.deepEqual(await inPage(page, (s) => s.melody()), opened);
  await page.close();
});

test('English by choice, kept for the next visit', async () => {
  const page = await open();
  assert.equal(await page.textContent('#Command2'), 'テスト演奏');
  await page.selectOption('#Language', 'en');
  const english = async () => [
    await page.textContent('#Command2'),
    await page.textContent('#StopButton'),
    await page.getAttribute('#Gosen0', 'aria-label'),
    await page.textContent('#ExportButton')
  ];
  assert.deepEqual(await english(), ['Test play', 'Stop', 'Slot 1: empty', 'Export...']);
  await page.reload();
  await page.waitForSelector('body[data-ready]');
  assert.deepEqual(await english(), ['Test play', 'Stop', 'Slot 1: empty', 'Export...']);
  await page.selectOption('#Language', 'ja');
  await page.close();
});

test('Delete, Insert, Ctrl+Delete and transposing as the 編集 menu does, refusals said', async () => {
  const page = await open();
  for (const key of ['KeyZ', 'KeyX', 'KeyC', 'KeyV']) await page.keyboard.press(key);
  await page.click('#np1');
  // What each key gives by the core, from the codes and the current slot before it.
  const cases = [
    ['Delete', (s, c, slot) => ({codes: c.map((code, i) => (i === slot ? '99' : code))})],
    ['Insert', (s, c, slot) => s.m.insertEmptySlot(c, slot)],
    ['Control+Delete', (s, c, slot) => s.m.removeSlot(c, slot)],
    ['Control+ArrowUp', (s, c) => s.m.transpose(c, 1)],
    ['Control+Shift+ArrowUp', (s, c) => s.m.transpose(c, 12)],
    ['Control+ArrowDown', (s, c) => s.m.transpose(c, -1)]
  ];
  let before;
  for (const [key, expected] of cases) {
    before = await inPage(page, (s) => s.melody());
    const wanted = await inPage(page, (s, [f, c, slot]) => (0, eval)(f)(s, c, slot), [
      expected.toString(),
      before.codes,
      before.cursor
    ]);
    await page.keyboard.press(key);
    assert.deepEqual(await codes(page), wanted.codes, key);
    assert.notDeepEqual(wanted.codes, before.codes, key);
  }
  await page.keyboard.press('Control+KeyZ');
  assert.deepEqual(await codes(page), before.codes);
  await page.keyboard.press('Control+Shift+ArrowUp');
  const refusal = await inPage(page, (s, c) => s.m.transpose(c, 12).refusal.ja, before.codes);
  await page.waitForSelector('#MessageDialog[open]');
  assert.equal(await page.textContent('#MessageText'), refusal);
  assert.deepEqual(await codes(page), before.codes);
  await page.close();
});

test("the typing guide steps through the slots with the listing's presses, keys lit in order", async () => {
  const page = await open();
  for (const key of ['KeyZ', 'KeyZ', 'KeyS', 'Digit0', 'KeyE']) await page.keyboard.press(key);
  await page.click('#Command1');
  const lines = (await page.inputValue('#Text1')).split('\n');
  await page.keyboard.press('F2');
  const dialog = await page.evaluate(() => {
    const d = document.getElementById('GuideDialog');
    return {
      open: d.open,
      role: d.getAttribute('role'),
      modal: d.getAttribute('aria-modal'),
      focused: d.contains(document.activeElement),
      live: document.getElementById('GuideNow').getAttribute('aria-live')
    };
  });
  assert.deepEqual(dialog, {
    open: true,
    role: 'dialog',
    modal: 'true',
    focused: true,
    live: 'polite'
  });
  const words = (id, value) =>
    inPage(page, (s, [id, value]) => s.words.word(id, value), [id, value]);
  const lit = () => page.textContent('#GuideKeypad .lit');
  for (let slot = 1; slot <= 6; ++slot) {
    assert.equal(await page.textContent('#GuideSlot'), await words('guide.slot', slot));
    assert.equal(
      await page.textContent('#GuidePresses'),
      await words('guide.presses', lines[slot - 1])
    );
    const keys = [...lines[slot - 1].matchAll(/\[(.*?)\]/g)].map((k) => k[1]);
    assert.equal(await lit(), keys[0], `slot ${slot}`);
    if (keys.length > 1)
      await page.waitForFunction(
        (key) => document.querySelector('#GuideKeypad .lit')?.textContent === key,
        keys[1]
      );
    await page.keyboard.press(slot === 3 ? 'ArrowRight' : 'Space');
  }
  assert.equal(await page.textContent('#GuidePitch'), await words('guide.empty'));
  await page.keyboard.press('ArrowLeft');
  await page.keyboard.press('Home');
  assert.equal(await page.textContent('#GuidePitch'), 'C4');
  // A tap on the right half goes on, a swipe to the left too, one to the right back.
  const face = await page.locator('#GuideFace').boundingBox();
  await page.mouse.click(face.x + face.width * 0.75, face.y + 20);
  const swipe = async (from, to) => {
    await page.mouse.move(face.x + from, face.y + 20);
    await page.mouse.down();
    await page.mouse.move(face.x + to, face.y + 20, {steps: 4});
    await page.mouse.up();
  };
  await swipe(200, 40);
  assert.equal(await page.textContent('#GuideSlot'), await words('guide.slot', 3));
  await swipe(40, 200);
  assert.equal(await page.textContent('#GuideSlot'), await words('guide.slot', 2));
  await page.screenshot({path: path.join(os.tmpdir(), 'merinkast98-guide.png')});
  await page.setViewportSize({width: 390, height: 844});
  const box = await page.locator('#GuideDialog').boundingBox();
  assert.ok(
    box.x >= 0 && box.y >= 0 && box.x + box.width <= 390 && box.y + box.height <= 844,
    JSON.stringify(box)
  );
  await page.screenshot({path: path.join(os.tmpdir(), 'merinkast98-guide-phone.png')});
  await page.keyboard.press('Escape');
  await page.waitForFunction(
    () => !document.getElementById('GuideDialog').open && document.activeElement.id === 'Command1'
  );
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('the address is the melody: replaced on every change, opened in a fresh browser, bad ones refused', async (t) => {
  const page = await open();
  const length = await page.evaluate(() => history.length);
  await page.keyboard.press('KeyQ');
  await page.keyboard.press('Digit0');
  await page.keyboard.press('KeyS');
  const melody = await inPage(page, (s) => s.melody());
  const fragment = await inPage(page, (s, m) => s.m.fragmentOf(m.codes, m.title), melody);
  // Written once the change is painted.
  await page.waitForFunction((f) => location.hash === f, '#' + fragment);
  assert.equal(await page.evaluate(() => history.length), length);
  await page.click('#Command1');
  const listing = await page.inputValue('#Text1');
  const browser = await ownBrowser(t);
  const fresh = await (await browser.newContext()).newPage();
  await fresh.goto(page.url());
  await fresh.waitForSelector('body[data-ready]');
  assert.deepEqual(await codes(fresh), melody.codes);
  await fresh.click('#Command1');
  assert.equal(await fresh.inputValue('#Text1'), listing);
  // A fragment that is no melody is refused in the core's words and changes nothing.
  await fresh.evaluate(() => (location.hash = '#m1.AZ'));
  await fresh.waitForSelector('#MessageDialog[open]');
  const refusal = await inPage(fresh, (s) => s.m.melodyOfFragment('m1.AZ').refusal.ja);
  assert.ok((await fresh.textContent('#MessageText')).endsWith(refusal));
  assert.deepEqual(await codes(fresh), melody.codes);
  // An address given right after a change, before the change's own address is written, wins.
  await page.evaluate(
    () =>
      new Promise((resolve) => {
        document.getElementById('ken0').click();
        requestAnimationFrame(() => resolve((location.hash = '#m1.C')));
      })
  );
  await page.waitForFunction(() => document.getElementById('Gosen0').ariaLabel.endsWith('D4'));
  assert.deepEqual(await codes(page), melodyOf(['21']));
  await page.close();
});

test('a screen reader names every cell and key, reaches the cells by Tab and hears changes', async () => {
  const page = await open();
  await page.keyboard.press('KeyE');
  const cdp = await page.context().newCDPSession(page);
  const {nodes} = await cdp.send('Accessibility.getFullAXTree');
  const buttons = new Set(
    nodes.filter((n) => n.role?.value === 'button').map((n) => n.name?.value)
  );
  const expected = await inPage(page, (s) => {
    // The core's row `id` in the page's language.
    const word = (id, ...values) =>
      s.m.words(id)[s.words.language].replace(/\{(\d)\}/g, (all, n) => values[n] ?? all);
    const name = (slot, code) =>
      code === '99'
        ? word('page.slot.empty', slot + 1)
        : word('page.slot.note', slot + 1, s.m.pitchName(code));
    return [
      ...s.melody().codes.map((code, slot) => name(slot, code)),
      ...s.layout.whiteKeys
        .concat(s.layout.blackKeys)
        .map((code) => word('page.key', s.m.pitchName(code))),
      word('page.rest-pedal')
    ];
  });
  assert.equal(expected[0], 'スロット 1: E5');
  for (const name of expected) assert.ok(buttons.has(name), name);
  await page.focus('#Gosen3');
  await page.keyboard.press('Tab');
  assert.equal(await page.evaluate(() => document.activeElement.id), 'Gosen4');
  await page.keyboard.press('KeyQ');
  assert.equal((await codes(page))[4], '13');
  assert.equal(await page.textContent('#Announce'), 'スロット 5: C5');
  await page.close();
});

test("nothing lost: a reload, two tabs, the bar of a closed tab's melody, kept melodies, storage refused", async (t) => {
  const browser = await ownBrowser(t);
  const own = await browser.newContext();
  const ready = async (page) => {
    await page.waitForSelector('body[data-ready]');
    return page;
  };
  const tab = async () => {
    const page = await own.newPage();
    await page.goto(base);
    return ready(page);
  };
  const kept = (page) => page.waitForTimeout(1000); // the keeping's own delay is shorter
  const first = await tab(),
    second = await tab();
  await first.keyboard.press('KeyZ');
  await second.keyboard.press('KeyX');
  await kept(first);
  // A reload brings each tab's own melody back, and only its own.
  await first.reload();
  await second.reload();
  await ready(first);
  await ready(second);
  assert.deepEqual(await codes(first), melodyOf(['11']));
  assert.deepEqual(await codes(second), melodyOf(['21']));
  // A new tab starts empty and offers the melody of a closed tab that was never downloaded.
  await second.close({runBeforeUnload: true});
  const third = await tab();
  assert.deepEqual(await codes(third), melodyOf([]));
  assert.ok(await third.isVisible('#RestoreBar'));
  assert.equal(await third.textContent('#RestoreText'), '前回の作業が残っています');
  await third.click('#Restore');
  assert.deepEqual(await codes(third), melodyOf(['21']));
  // A melody replaced before it was downloaded is kept, once for the same notes and title.
  const open = async (fragment, first) => {
    await third.evaluate((f) => (location.hash = f), fragment);
    await third.waitForFunction(
      (f) => document.getElementById('Gosen0').ariaLabel.endsWith(f),
      first
    );
  };
  await open('#m1.B', 'C#4');
  await open('#m1.C', 'D4');
  await open('#m1.B', 'C#4');
  await kept(third);
  await third.focus('#KeptList');
  await third.waitForFunction(() => document.getElementById('KeptList').options.length === 3);
  const options = await third.$$eval('#KeptList option', (o) =>
    o.slice(1).map((x) => x.textContent)
  );
  assert.match(options[0], / D4$/);
  assert.match(options[1], / C#4$/);
  await third.selectOption('#KeptList', {index: 1});
  assert.deepEqual(await codes(third), melodyOf(['21']));
  // Storage refused: said once, and composing goes on.
  const refused = await own.newPage();
  await refused.addInitScript(
    () =>
      (indexedDB.open = () => {
        throw new DOMException('refused', 'QuotaExceededError');
      })
  );
  await refused.goto(base);
  await ready(refused);
  assert.match(await refused.textContent('#MessageText'), /^メロディを保管できませんでした/);
  await refused.keyboard.press('Enter');
  await refused.keyboard.press('KeyZ');
  await refused.keyboard.press('KeyX');
  await refused.waitForTimeout(500);
  assert.ok(!(await refused.isVisible('#MessageDialog[open]')));
  assert.deepEqual(await codes(refused), melodyOf(['11', '21']));
});

test('a phone by touch: no sideways page, the staff row at desktop size, taps, ♯ and a long press', async (t) => {
  const browser = await ownBrowser(t);
  for (const viewport of [
    {width: 390, height: 844},
    {width: 844, height: 390}
  ]) {
    const page = await (
      await browser.newContext({viewport, hasTouch: true, isMobile: true})
    ).newPage();
    await page.goto(base);
    await page.waitForSelector('body[data-ready]');
    const sizes = await page.evaluate(() => ({
      page: document.documentElement.scrollWidth,
      keys: document.getElementById('ken13').getBoundingClientRect().right,
      cell: document.getElementById('Gosen0').getBoundingClientRect().height,
      desktop: document.getElementById('Gosen0').offsetHeight
    }));
    assert.ok(sizes.page <= viewport.width, `${viewport.width}: the page is ${sizes.page} wide`);
    assert.ok(sizes.keys <= viewport.width, `${viewport.width}: the keys end at ${sizes.keys}`);
    assert.ok(sizes.cell >= sizes.desktop, `${viewport.width}: a cell is ${sizes.cell} tall`);
    if (viewport.width !== 390) continue;
    await page.tap('#Gosen0', {position: {x: 10, y: 30}});
    await page.tap('#SharpToggle');
    await page.tap('#Gosen1', {position: {x: 10, y: 60}});
    await page.tap('#np2');
    await page.tap('#ken0');
    const expected = await inPage(page, (s) => [
      s.m.staffNoteAt(30, false),
      s.m.staffNoteAt(60, true),
      '11'
    ]);
    assert.deepEqual(await codes(page), melodyOf(expected));
    // A long press on a cell empties it.
    const box = await page.locator('#Gosen1').boundingBox();
    const cdp = await page.context().newCDPSession(page);
    const point = [{x: box.x + 10, y: box.y + 40}];
    await cdp.send('Input.dispatchTouchEvent', {type: 'touchStart', touchPoints: point});
    await page.waitForTimeout(800);
    await cdp.send('Input.dispatchTouchEvent', {type: 'touchEnd', touchPoints: []});
    assert.deepEqual(await codes(page), melodyOf([expected[0], '99', '11']));
    await page.screenshot({path: path.join(os.tmpdir(), 'merinkast98-phone.png')});
  }
});

test('offline once opened, a reload included; installable with no errors; the build in About', async (t) => {
  const own = await serve();
  t.after(() => own.server.listening && own.server.close());
  // A profile of its own: Chromium installs nothing from an incognito context.
  const browser = await chromium.launchPersistentContext(
    fs.mkdtempSync(path.join(os.tmpdir(), 'merinkast98-chromium-')),
    {
      executablePath: browserPath(),
      headless: true,
      args: ['--no-sandbox', '--disable-gpu']
    }
  );
  t.after(() => browser.close());
  const page = await browser.newPage();
  await page.goto(own.base);
  await page.waitForSelector('body[data-ready]');
  await page.evaluate(() => navigator.serviceWorker.ready);
  const cdp = await page.context().newCDPSession(page);
  assert.deepEqual((await cdp.send('Page.getInstallabilityErrors')).installabilityErrors, []);
  await new Promise((resolve) => {
    own.server.close(resolve);
    own.server.closeAllConnections();
  });
  await page.reload();
  await page.waitForSelector('body[data-ready]');
  await page.keyboard.press('KeyC');
  await page.click('#Command1');
  const listing = await inPage(page, (s) => s.m.convertMelody(s.melody().codes).text);
  assert.equal(await page.inputValue('#Text1'), listing.replace(/\r\n/g, '\n'));
  assert.equal((await codes(page))[0], '31');
  await page.click('#AboutButton');
  await page.waitForSelector('#MessageDialog[open]');
  const version = JSON.parse(fs.readFileSync(path.join(root, 'version.json'), 'utf8'));
  assert.match(
    await page.textContent('#MessageText'),
    new RegExp(`${version.program}.*${version.build}`)
  );
  assert.match(version.build, /^[0-9a-f]{12}$/);
});

// The row `id` of the core's word tables in `language`, with {0}, {1} … filled in.
const wordIn = (page, language, id, ...values) =>
  inPage(
    page,
    (s, [language, id, values]) =>
      s.m.words(id)[language].replace(/\{(\d)\}/g, (all, n) => values[n] ?? all),
    [language, id, values]
  );
const PARTS = midiFile([
  {name: 'Fiddle', channel: 0, keys: [60, 62, 64], program: 40},
  {name: 'Keys', channel: 1, keys: [72, 74], program: 0}
]);

// Where the page once said otherwise than the window, each case in both languages; the session's
// side of each runs in tests/session and in binding_test.js.
const AS_THE_WINDOW = [
  {
    name: 'a file of nothing but blank lines is refused as empty, and nothing changes',
    run: async (page, language) => {
      await page.keyboard.press('KeyZ');
      const before = await codes(page);
      await page.setInputFiles('#OpenFile', {
        name: 'blank.txt',
        mimeType: 'text/plain',
        buffer: Buffer.from('\n\n   \n\n')
      });
      await page.waitForSelector('#MessageDialog[open]');
      const text = await page.textContent('#MessageText');
      assert.ok(text.startsWith(await wordIn(page, language, 'page.open-failed')), text);
      assert.ok(text.includes(await wordIn(page, language, 'file.empty')), text);
      assert.deepEqual(await codes(page), before);
    }
  },
  {
    name: "the part chooser names each part's instrument in the page's language",
    run: async (page, language) => {
      await page.setInputFiles('#OpenFile', {name: 'p.mid', mimeType: 'audio/midi', buffer: PARTS});
      await page.waitForSelector('#ChoiceDialog[open]');
      const instruments = await page.$$eval('#ChoiceList [role=option]', (rows) =>
        rows.map((r) => r.children[3].textContent)
      );
      assert.equal(instruments[0], {ja: 'バイオリン', en: 'Violin'}[language]);
      assert.deepEqual(instruments, [
        await wordIn(page, language, 'midi.gm-40'),
        await wordIn(page, language, 'midi.gm-0')
      ]);
    }
  },
  {
    name: 'an RTTTL export whose name had to change says how',
    run: async (page, language) => {
      const title = 'Hells, Bells: live';
      const fragment = await inPage(page, (s, t) => s.m.fragmentOf(t.codes, t.title), {
        codes: melodyOf(['11']),
        title
      });
      await page.evaluate((f) => (location.hash = f), '#' + fragment);
      await page.waitForFunction(() => document.getElementById('Gosen0').ariaLabel.endsWith('C4'));
      await page.selectOption('#ExportFormat', 'rtttl');
      const [download] = await Promise.all([
        page.waitForEvent('download'),
        page.click('#ExportButton')
      ]);
      const name = fs.readFileSync(await download.path(), 'utf8').split(':')[0];
      assert.equal(name, 'Hells Bells live');
      await page.waitForSelector('#MessageDialog[open]');
      const text = await page.textContent('#MessageText');
      assert.ok(text.startsWith(await wordIn(page, language, 'page.exported', `${title}.rtttl`)));
      assert.ok(text.endsWith(await wordIn(page, language, 'rtttl.name-changed', 64, name)), text);
    }
  },
  {
    name: "the start slot of a part is labelled by a row of the core's, in either language",
    run: async (page, language) => {
      await page.setInputFiles('#OpenFile', {name: 'p.mid', mimeType: 'audio/midi', buffer: PARTS});
      await page.waitForSelector('#ChoiceDialog[open]');
      const label = await page.textContent('#FromLabel');
      if (language === 'en') assert.match(label, /^[\x20-\x7e]+$/);
      assert.equal(label, await wordIn(page, language, 'page.part.from'));
    }
  }
];
for (const c of AS_THE_WINDOW) {
  test(`as the window: ${c.name}`, async () => {
    for (const language of ['ja', 'en']) {
      const page = await open();
      await page.selectOption('#Language', language);
      await c.run(page, language);
      assert.deepEqual(page.errors, [], language);
      await page.selectOption('#Language', 'ja');
      await page.close();
    }
  });
}

test('a key press, a click on the staff and an undo each make at most two calls into the module', async () => {
  const page = await context.newPage();
  // Every function the module exports and every method of its classes counts its calls.
  await page.addInitScript(() => {
    globalThis.moduleCalls = [];
    const count = (owner, name, what) => {
      const f = owner[name];
      owner[name] = function (...args) {
        globalThis.moduleCalls.push(what);
        return f.apply(this, args);
      };
      Object.assign(owner[name], f);
      owner[name].prototype = f.prototype;
    };
    let module;
    Object.defineProperty(globalThis, 'merinModule', {
      get: () => module,
      set: (started) => {
        module = started.then((m) => {
          for (const [name, value] of Object.entries(m)) {
            if (typeof value !== 'function' || name === 'FS' || /^[A-Z_]+[A-Z0-9_]*$/.test(name))
              continue;
            for (const method of Object.getOwnPropertyNames(value.prototype ?? {})) {
              if (method !== 'constructor' && typeof value.prototype[method] === 'function')
                count(value.prototype, method, `${name}.${method}`);
            }
            count(m, name, name);
          }
          return m;
        });
      }
    });
  });
  await page.goto(base);
  await page.waitForSelector('body[data-ready]');
  // The calls an action makes, from just before it until two frames after it.
  const callsOf = async (act) => {
    await page.evaluate(() => (globalThis.moduleCalls.length = 0));
    await act();
    await page.evaluate(
      () =>
        new Promise((resolve) =>
          requestAnimationFrame(() => requestAnimationFrame(() => setTimeout(resolve, 50)))
        )
    );
    return page.evaluate(() => globalThis.moduleCalls.slice());
  };
  const cases = [
    ['a key press', () => page.keyboard.press('KeyE')],
    ['a click on the staff', () => page.click('#Gosen3', {position: {x: 10, y: 30}})],
    ['an undo', () => page.keyboard.press('Control+KeyZ')]
  ];
  for (const [name, act] of cases) {
    const calls = await callsOf(act);
    assert.ok(calls.length >= 1 && calls.length <= 2, `${name}: ${calls.join(', ')}`);
  }
  // The counting itself counts: the melody changed as the three actions say.
  const melody = await codes(page);
  assert.deepEqual([melody[0], melody[3]], ['32', '99']);
  await page.close();
});

// Web MIDI cannot reach a device here: an init script gives the page a MIDI access whose one input
// dispatches real MIDIMessageEvents, as a keyboard plugged in after the page opened.
test('a MIDI keyboard plays into the melody; a refusal and a failure are said', async () => {
  const page = await context.newPage();
  await page.addInitScript(() => {
    const input = new EventTarget();
    Object.assign(input, {type: 'input', state: 'connected', onmidimessage: null});
    input.addEventListener('midimessage', (e) => input.onmidimessage?.(e));
    const access = {inputs: new Map(), onstatechange: null};
    globalThis.plugIn = () => access.onstatechange?.({port: input});
    globalThis.play = async (messages) => {
      for (const bytes of messages) {
        input.dispatchEvent(new MIDIMessageEvent('midimessage', {data: new Uint8Array(bytes)}));
        await new Promise((resolve) => setTimeout(resolve, 40));
      }
    };
    navigator.requestMIDIAccess = async () => access;
  });
  await page.goto(base);
  await page.waitForSelector('body[data-ready]');
  await page.click('#MidiMenu');
  await page.evaluate(() => globalThis.plugIn());
  // C4..B5, an octave below and above, velocity 0, a drum, the pedal, a chord; one by one.
  const played = [];
  for (let note = 60; note < 84; ++note) played.push([0x90, note, 90], [0x80, note, 0]);
  played.push([0x90, 48, 90], [0x90, 96, 90], [0x90, 62, 0], [0x99, 38, 127], [0xb0, 64, 127]);
  await page.evaluate((messages) => globalThis.play(messages), played);
  await page.evaluate(() => globalThis.play([[0x90, 60, 90, 0x90, 64, 90, 0x90, 67, 90]]));
  const expected = [
    ...['11', '12', '21', '22', '31', '41', '42', '51', '52', '61', '62', '71'],
    ...['13', '14', '23', '24', '32', '43', '44', '53', '54', '63', '64', '72'],
    ...['11', '13', '01', '51', '99', '99']
  ];
  assert.deepEqual(await codes(page), expected);
  assert.ok(await page.locator('#ken4').evaluate((key) => key.classList.contains('down')));
  assert.equal(await page.textContent('#MidiNote'), await wordIn(page, 'ja', 'midi-in.shifted'));
  assert.deepEqual(page.errors ?? [], []);
  await page.close();

  for (const [name, id] of [
    ['NotAllowedError', 'midi-in.refused'],
    ['InvalidStateError', 'midi-in.failed']
  ]) {
    const refused = await context.newPage();
    await refused.addInitScript((name) => {
      navigator.requestMIDIAccess = async () => {
        throw new DOMException('the platform said no', name);
      };
    }, name);
    await refused.goto(base);
    await refused.waitForSelector('body[data-ready]');
    await refused.click('#MidiMenu');
    await refused.waitForSelector('#MessageDialog[open]');
    assert.equal(
      await refused.textContent('#MessageText'),
      await wordIn(refused, 'ja', id, 'the platform said no')
    );
    await refused.close();
  }
});
