// SPDX-License-Identifier: MIT
// The page of Merinkast98: the main window on the core's module. Every control runs the core's
// handler of the window's control of that name, and the page carries out the calls it returns;
// a change of the melody is one step of undo.
import {render, TestPlay} from './audio.js';
import {captions} from './captions.js';
import {Files} from './files.js';
import {Guide} from './guide.js';
import {Keeper} from './keep.js';
import {layout, pageWords} from './tables.js';
import {MainWindow} from './window.js';
import {Words} from './words.js';

const PROGRAM = '/program';
const history_ = window.history;
const $ = (id) => document.getElementById(id);

// The window is drawn from the core's tables (made from the module as the page is built) while
// the module starts.
const words = new Words(pageWords, captions);
const view = new MainWindow($('MerinMain'), layout, layout.emptyPicture);
// The browser's storage opens meanwhile too.
const keeper = new Keeper((error) =>
  message(
    words.caption('merin::ui::MelodyFiles', 'メロディを保管できませんでした') +
      '\n\n' +
      String(error?.message ?? error)
  )
);
const m = await globalThis.merinModule;

// The waves, into the module's file system for the WAV export and kept for test play; fetched
// once the page takes clicks, after its pictures, and awaited by test play and the export.
m.FS.mkdirTree(PROGRAM);
m.setProgramFolder(PROGRAM);
const waves = new Map();
let loadWaves;
const wavesLoaded = new Promise((resolve) => (loadWaves = resolve)).then(() =>
  Promise.all(
    m
      .programFiles()
      .filter((name) => name.endsWith('.wav'))
      .map(async (name) => {
        const bytes = new Uint8Array(await (await fetch('program/' + name)).arrayBuffer());
        m.FS.writeFile(`${PROGRAM}/${name}`, bytes);
        waves.set(name, bytes);
      })
  )
);

const staff = layout.controls.find((c) => c.kind === 'staff');
const melody = new m.Melody(staff.y, staff.height);
const history = new m.MelodyHistory();
const testPlay = new TestPlay(waves, wavesLoaded);

// The session the page's parts share, and what a test looks at.
export const session = {
  m,
  words,
  layout,
  waves,
  wavesLoaded,
  melody: () => melody.snapshot(),
  steps: () => melody.testPlaySteps(),
  message,
  replace: (taken) => replace({codes: taken.codes, cursor: taken.cursor, title: taken.title}),
  render // what test play of some steps sounds, rendered offline
};
const files = new Files(session);
const guide = new Guide(session, testPlay);
$('GuideButton').addEventListener('click', () => !testPlay.playing && guide.open());

function same(a, b) {
  return a.title === b.title && a.codes.every((code, i) => code === b.codes[i]);
}

// Runs a handler and carries out its calls; a change of the melody becomes one step of undo.
// Nothing changes while test play sounds.
function change(handler) {
  if (testPlay.playing) return;
  const before = melody.snapshot();
  view.carryOut(handler());
  const after = melody.snapshot();
  if (!same(before, after)) history.push(before, after);
  showMelody(after, before);
  address();
  announce(before, after);
  if (!same(before, after)) keeper.markShared(false);
  keep(after);
}

// A whole melody in place of the one open, as one step of undo. The one replaced joins the kept
// melodies unless it was downloaded or shared as it is, or is empty.
function replace(snapshot) {
  if (testPlay.playing) return;
  const current = melody.snapshot();
  if (!keeper.shared && !m.isEmptyMelody(current.codes)) {
    keeper.replaced(current);
  }
  change(() => melody.apply(snapshot));
}

// Undo or redo: `step` of the history gives the snapshot to put back, if any.
function restore(step) {
  if (testPlay.playing) return;
  const snapshot = step();
  if (!snapshot) return;
  view.carryOut(melody.apply(snapshot));
  showMelody(melody.snapshot());
  address();
  keeper.markShared(false);
  keep(melody.snapshot());
}

// This tab's melody into IndexedDB; `open` false as the tab goes.
function keep(snapshot, open = true) {
  return keeper.keep({...snapshot, used: !m.isEmptyMelody(snapshot.codes)}, open);
}

// The address is the melody: its fragment follows every change, in place of the history entry.
// Written once the change has been painted, for the melody as it is then, so that a key press
// does not wait for it, unless an address given meanwhile is still to be opened; at once by
// `now`, before the address is read or the page goes.
let addressDue = false;
function address(now = false) {
  if (now) {
    addressDue = false;
    const {codes, title} = melody.snapshot();
    const fragment = '#' + m.fragmentOf(codes, title);
    if (location.hash !== fragment) history_.replaceState(null, '', fragment);
    return;
  }
  if (addressDue) return;
  addressDue = true;
  const given = location.hash;
  requestAnimationFrame(() =>
    setTimeout(() => {
      if (addressDue && location.hash === given) address(true);
      addressDue = false;
    })
  );
}

// The melody of the address's fragment in place of the one open, as one step of undo; a fragment
// that is none is refused with the core's words and changes nothing.
function openAddress() {
  const read = m.melodyOfFragment(decodeURIComponent(location.hash.slice(1)));
  if (read.refusal) {
    message(words.word('page.address.refused') + '\n\n' + words.of(read.refusal));
    return address(true);
  }
  if (!same(melody.snapshot(), read)) replace(read);
}

// The edits of the whole melody (編集 › 挿入, 削除, 移調), refused in the core's words.
function edit(result) {
  if (result.refusal) return message(words.of(result.refusal));
  const {cursor, title} = melody.snapshot();
  change(() => melody.apply({codes: result.codes, cursor, title}));
}

// What follows the melody beyond the handlers' calls: the names a screen reader gives the cells
// (those whose note changed since `before`, when given) and the undo buttons.
function showMelody(snapshot, before = null) {
  snapshot.codes.forEach((code, slot) => {
    if (before?.codes[slot] === code) return;
    view.cells[slot].cell.setAttribute('aria-label', slotName(snapshot, slot));
  });
  $('UndoButton').disabled = !history.canUndo();
  $('RedoButton').disabled = !history.canRedo();
}

// What a screen reader says of slot `slot`: 「スロット 3: D5」.
function slotName(snapshot, slot) {
  const name = m.pitchName(snapshot.codes[slot]);
  const id = name === '-' ? 'page.slot.empty' : name === 'r' ? 'page.slot.rest' : 'page.slot.note';
  return words.word(id, slot + 1, name);
}

// A change of a note, or else of the current slot, said through the live region.
function announce(before, after) {
  const changed = after.codes.findIndex((code, slot) => code !== before.codes[slot]);
  if (changed < 0 && before.cursor === after.cursor) return;
  $('Announce').textContent = slotName(after, changed >= 0 ? changed : after.cursor);
}

function message(text) {
  $('MessageText').textContent = text;
  $('MessageOk').textContent = words.word('page.ok');
  $('MessageDialog').showModal();
}

// The bar that offers the melody a closed tab left, taking no focus: composing goes on meanwhile.
function offerLeft(left) {
  if (!left) return;
  $('RestoreBar').hidden = false;
  const close = () => {
    $('RestoreBar').hidden = true;
    keeper.forget(left.tab);
  };
  $('Restore').onclick = () => {
    close();
    replace({codes: left.codes, cursor: left.cursor, title: left.title});
  };
  $('Dismiss').onclick = close;
}

// 保管されたメロディ: the newest kept melodies, each with its time, first notes and title.
const KEPT_LISTED = 20;
async function fillKept() {
  const kept = await keeper.kept(KEPT_LISTED);
  const list = $('KeptList');
  list.replaceChildren(list.options[0]);
  for (const k of kept) {
    const time = new Date(k.time).toLocaleString(words.language, {
      month: '2-digit',
      day: '2-digit',
      hour: '2-digit',
      minute: '2-digit'
    });
    const option = new Option(
      `${time}  ${m.firstNotes(k.codes)}` + (k.title ? `  「${k.title}」` : '')
    );
    option.melody = k;
    list.append(option);
  }
  list.disabled = kept.length === 0;
}
$('KeptList').addEventListener('focus', fillKept);
$('KeptList').addEventListener('pointerdown', fillKept);
$('KeptList').addEventListener('change', () => {
  const k = $('KeptList').selectedOptions[0].melody;
  $('KeptList').selectedIndex = 0;
  if (k) replace({codes: k.codes, cursor: k.cursor, title: k.title});
});

// The staff: a click writes the note of its band, the ghost shows it beforehand.
const BUTTONS = {0: 1, 2: 2, 1: 4};
let hovered = null; // {cell, y} under the pointer
function ghost(shift) {
  const code = m.staffNoteAt(hovered.y, shift);
  view.showGhost(hovered.cell, code, m.pitchName(code), m.pictureFileOf(code));
}
view.cells.forEach((cell, slot) => {
  cell.cell.addEventListener('pointerdown', (event) => {
    if (event.pointerType !== 'touch') return;
    event.preventDefault(); // no mouse events after the touch
    touch(slot, cell, event);
  });
  cell.cell.addEventListener('mousedown', (event) => {
    event.preventDefault();
    const button = BUTTONS[event.button];
    if (!button) return;
    view.showGhost(cell, '', '');
    const shift = (event.shiftKey ? 1 : 0) | (event.ctrlKey ? 2 : 0) | (event.altKey ? 4 : 0);
    change(() => melody.Gosen_MouseDown(slot, button, shift, 0, view.rowOf(cell, event)));
  });
  cell.cell.addEventListener('contextmenu', (event) => event.preventDefault());
  // Reached by Tab, a cell becomes the current slot, which the keys then write.
  cell.cell.tabIndex = 0;
  cell.cell.addEventListener('focus', () => {
    if (melody.snapshot().cursor !== slot) change(() => melody.np_Click(slot));
  });
  cell.cell.addEventListener('mousemove', (event) => {
    hovered = {cell, y: view.rowOf(cell, event)};
    if (event.buttons) return view.showGhost(cell, '', '');
    ghost(event.shiftKey);
  });
  cell.cell.addEventListener('mouseleave', () => {
    hovered = null;
    view.showGhost(cell, '', '');
  });
});
// By touch: a tap writes what a click at that row writes, a sharp while ♯ is on; a long press
// empties the slot, as the right button does; a touch that moves scrolls the staff row instead.
const LONG_PRESS = 500,
  SLOP = 10; // ms, CSS pixels
let pressed = null;
function touch(slot, cell, event) {
  const row = view.rowOf(cell, event);
  const press = {x: event.clientX, y: event.clientY, id: event.pointerId};
  press.timer = setTimeout(() => {
    pressed = null;
    change(() => melody.Gosen_MouseDown(slot, BUTTONS[2], 0, 0, row));
  }, LONG_PRESS);
  press.tap = () => change(() => melody.Gosen_MouseDown(slot, BUTTONS[0], sharp() ? 1 : 0, 0, row));
  pressed = press;
}
const release = (tap) => (event) => {
  if (!pressed || pressed.id !== event.pointerId) return;
  clearTimeout(pressed.timer);
  if (tap) pressed.tap();
  pressed = null;
};
document.addEventListener('pointerup', release(true));
document.addEventListener('pointercancel', release(false));
document.addEventListener('pointermove', (event) => {
  if (
    pressed?.id === event.pointerId &&
    Math.hypot(event.clientX - pressed.x, event.clientY - pressed.y) > SLOP
  )
    release(false)(event);
});
const sharp = () => $('SharpToggle').getAttribute('aria-pressed') === 'true';
$('SharpToggle').addEventListener('click', () =>
  $('SharpToggle').setAttribute('aria-pressed', String(!sharp()))
);

view.markers.forEach((marker, slot) => {
  marker.addEventListener('click', () => change(() => melody.np_Click(slot)));
});
view.white.forEach((key, i) =>
  key.addEventListener('click', () => change(() => melody.ken_Click(i)))
);
view.black.forEach((key, i) =>
  key.addEventListener('click', () => change(() => melody.bkey_Click(i)))
);
view.pedal.addEventListener('click', () => change(() => melody.PedalSW_Click()));

// 変換: the key presses, beside the window; the copy keeps their CR LF line ends.
let listing = '';
view.command1.addEventListener('click', () => {
  listing = m.convertMelody(melody.snapshot().codes).text;
  $('Text1').value = listing;
  $('CopyButton').disabled = false;
});
$('CopyButton').addEventListener('click', () => navigator.clipboard.writeText(listing));

// テスト演奏: the core's steps, each cell bordered while its wave sounds.
function startTestPlay() {
  if (testPlay.playing) return;
  const steps = melody.testPlaySteps();
  let shown = -1;
  const border = (style) =>
    shown >= 0 && view.carryOut([{call: 'SetCellBorder', slot: steps[shown].slot, style}]);
  view.carryOut([{call: 'SetTestPlayEnabled', enabled: false}]);
  $('StopButton').disabled = false;
  testPlay.start(
    steps,
    (step) => {
      border(0);
      shown = step;
      border(1);
    },
    () => {
      border(0);
      $('StopButton').disabled = true;
      view.carryOut([{call: 'SetTestPlayEnabled', enabled: true}]);
      view.command2.focus(); // as in the window, where the button had the focus
    }
  );
}
view.command2.addEventListener('click', startTestPlay);
$('StopButton').addEventListener('click', () => testPlay.stop());

// The computer keyboard: the letter rows as a piano by where a key sits, the cursor keys, undo and
// redo, Escape to stop test play. A text field or a dialog keeps its own keys.
const held = new Map();
const SELECT = {ArrowLeft: 'previous', ArrowRight: 'next', Home: 'first', End: 'end'};
const TRANSPOSE = {ArrowUp: 1, ArrowDown: -1}; // with Ctrl: a semitone; with Shift too: an octave
document.addEventListener('keydown', (event) => {
  if (event.key === 'Escape' && testPlay.playing) return testPlay.stop();
  if (event.key === 'Shift' && hovered) ghost(true);
  if (event.target.closest('input:not([type=file]), textarea, select, dialog[open]')) return;
  if (event.key === 'F2' && !testPlay.playing) {
    event.preventDefault();
    return guide.open();
  }
  const ctrl = event.ctrlKey || event.metaKey;
  const key = event.key.toLowerCase();
  if (ctrl && !event.altKey && (key === 'y' || (key === 'z' && event.shiftKey))) {
    event.preventDefault();
    return restore(() => history.redo());
  }
  if (ctrl && !event.altKey && !event.shiftKey && key === 'z') {
    event.preventDefault();
    return restore(() => history.undo());
  }
  const steps = TRANSPOSE[event.key];
  if (ctrl && !event.altKey && steps) {
    event.preventDefault();
    return edit(m.transpose(melody.snapshot().codes, steps * (event.shiftKey ? 12 : 1)));
  }
  if (ctrl && !event.altKey && !event.shiftKey && event.key === 'Delete') {
    event.preventDefault();
    return edit(m.removeSlot(melody.snapshot().codes, melody.snapshot().cursor));
  }
  if (event.ctrlKey || event.altKey || event.metaKey || event.shiftKey) return;
  if (event.key === 'Delete') {
    event.preventDefault();
    const {cursor} = melody.snapshot();
    return change(() => melody.Gosen_MouseDown(cursor, BUTTONS[2], 0, 0, 0));
  }
  if (event.key === 'Insert') {
    event.preventDefault();
    return edit(m.insertEmptySlot(melody.snapshot().codes, melody.snapshot().cursor));
  }
  if (SELECT[event.key]) {
    event.preventDefault();
    return change(() => melody.select(SELECT[event.key]));
  }
  const piano = m.pianoKeyAt(event.code.replace(/^(Key|Digit)/, ''));
  if (!piano) return;
  event.preventDefault();
  if (event.repeat || held.has(event.code)) return;
  const button =
    piano.kind === 'white'
      ? view.white[piano.index]
      : piano.kind === 'black'
        ? view.black[piano.index]
        : view.pedal;
  held.set(event.code, button);
  button.classList.add('down');
  change(() =>
    piano.kind === 'white'
      ? melody.ken_Click(piano.index)
      : piano.kind === 'black'
        ? melody.bkey_Click(piano.index)
        : melody.PedalSW_Click()
  );
});
document.addEventListener('keyup', (event) => {
  if (event.key === 'Shift' && hovered) ghost(false);
  held.get(event.code)?.classList.remove('down');
  held.delete(event.code);
});
window.addEventListener('blur', () => {
  for (const button of held.values()) button.classList.remove('down');
  held.clear();
});
$('UndoButton').addEventListener('click', () => restore(() => history.undo()));
// 共有: the address, which is the melody, through the system's share sheet, or copied.
$('ShareButton').addEventListener('click', async () => {
  const {title} = melody.snapshot();
  keeper.markShared();
  keep(melody.snapshot());
  address(true);
  if (navigator.share) return navigator.share({url: location.href, title}).catch(() => {});
  await navigator.clipboard.writeText(location.href);
  $('ShareNote').textContent = words.word('page.address.copied');
  setTimeout(() => ($('ShareNote').textContent = ''), 3000);
});
$('RedoButton').addEventListener('click', () => restore(() => history.redo()));

// Tunes in: 開く, a file dropped on the page, text pasted on it.
$('OpenFile').addEventListener('change', async () => {
  const file = $('OpenFile').files[0];
  $('OpenFile').value = '';
  if (file && !testPlay.playing) await files.open(file);
});
document.addEventListener('dragover', (event) => event.preventDefault());
document.addEventListener('drop', (event) => {
  event.preventDefault();
  const file = event.dataTransfer.files[0];
  if (file && !testPlay.playing) files.open(file);
});
document.addEventListener('paste', (event) => {
  if (event.target.closest('input, textarea, dialog') || testPlay.playing) return;
  event.preventDefault();
  files.paste(event.clipboardData.getData('text/plain'));
});

// Tunes out: every format the core writes.
for (const format of m.formats().filter((f) => f.writable)) {
  const option = document.createElement('option');
  option.value = format.extensions[0];
  option.dataset.ja = format.ja;
  option.dataset.en = format.en;
  $('ExportFormat').append(option);
}
$('ExportButton').addEventListener('click', async () => {
  await wavesLoaded;
  if (!files.download($('ExportFormat').value)) return;
  keeper.markShared();
  keep(melody.snapshot());
});

// Every text, in the page's language.
$('Language').value = words.language;
$('Language').addEventListener('change', () => words.use($('Language').value));
words.follow(() => {
  const c = (context, source) => words.caption(context, source);
  document.title = $('Caption').textContent = c(
    'merin::ui::MerinMain',
    'Merinkast98   - DoCoMo携帯 作曲支援 -'
  );
  view.pedal.textContent = c('MainControls', '休符ペダル');
  view.command1.textContent = c('MainControls', '変  換');
  view.command2.textContent = c('MainControls', 'テスト演奏');
  $('OpenLabel').querySelector('span').textContent = c('merin::ui::MelodyFiles', '開く(&O)...');
  $('ExportButton').textContent = c('merin::ui::MelodyFiles', 'エクスポート(&E)...');
  $('UndoButton').textContent = c('merin::ui::EditControls', '元に戻す(&U)');
  $('RedoButton').textContent = c('merin::ui::EditControls', 'やり直し(&R)');
  $('SoloutCaption').textContent = c('merin::ui::SoloutForm', '変換結果');
  $('Text1').setAttribute('aria-label', $('SoloutCaption').textContent);
  for (const option of $('ExportFormat').options) {
    option.textContent = `${option.dataset[words.language]} (*.${option.value})`;
  }
  $('ExportFormat').setAttribute('aria-label', words.word('page.format'));
  $('StopButton').textContent = words.word('page.stop');
  $('CopyButton').textContent = words.word('page.copy');
  $('ShareButton').textContent = words.word('page.share');
  $('GuideButton').textContent = words.word('guide.title');
  $('SharpToggle').textContent = words.word('page.sharp');
  $('AboutButton').textContent = words.word('page.about');
  $('SharpToggle').title = words.word('page.sharp-taps');
  $('RestoreText').textContent = words.caption(
    'merin::ui::MelodyFiles',
    '前回の作業が残っています'
  );
  $('Restore').textContent = words.caption('merin::ui::MelodyFiles', '戻す');
  $('KeptList').options[0].textContent = words.caption(
    'merin::ui::MelodyFiles',
    '保管されたメロディ(&L)'
  );
  $('LanguageLabel').textContent = words.word('page.language');
  $('Language').options[0].textContent = words.word('page.japanese');
  $('Language').options[1].textContent = words.word('page.english');
  $('PasteHint').textContent = words.word('page.paste-here');
  $('MerinMain').setAttribute('aria-label', document.title);
  view.markers.forEach((marker, slot) =>
    marker.setAttribute('aria-label', words.word('page.marker', slot + 1))
  );
  view.pedal.setAttribute('aria-label', words.word('page.rest-pedal'));
  view.command1.setAttribute('aria-label', words.word('page.convert'));
  view.command2.setAttribute('aria-label', words.word('page.test-play'));
  view.white.forEach((key, i) =>
    key.setAttribute('aria-label', words.word('page.key', m.pitchName(layout.whiteKeys[i])))
  );
  view.black.forEach((key, i) =>
    key.setAttribute('aria-label', words.word('page.key', m.pitchName(layout.blackKeys[i])))
  );
  showMelody(melody.snapshot());
});

// On a narrow screen the staff row keeps the window's size and scrolls sideways by itself, so that
// its click bands stay as tall as on the desktop; the rest of the window is scaled to the width.
const ROW = new Set(['staff', 'marker']);
const rowHeight = Math.max(
  ...layout.controls.filter((c) => ROW.has(c.kind)).map((c) => c.y + c.height)
);
const cut =
  Math.min(
    ...layout.controls
      .filter((c) => !ROW.has(c.kind) && c.kind !== 'status' && c.height > 0)
      .map((c) => c.y)
  ) - layout.controls.find((c) => c.kind === 'staff').y;
// `width`: main's width, which the page's layout gives, or the window's at the start.
function fit(width = $('Frame').parentElement.clientWidth) {
  const style = getComputedStyle($('Frame').parentElement);
  const room = width - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight);
  const narrow = room < layout.width + 2;
  const scale = Math.min(1, (room - 2) / layout.width);
  const row = $('StaffRowInner');
  for (const c of layout.controls) {
    const element = $(c.name);
    if (element && (ROW.has(c.kind) || !narrow)) (narrow ? row : $('MerinMain')).append(element);
  }
  document.body.classList.toggle('narrow', narrow);
  row.style.width = layout.width + 'px';
  row.style.height = rowHeight + 'px';
  const shift = narrow ? cut : 0;
  $('MerinMain').style.transform = `scale(${scale}) translateY(${-shift}px)`;
  $('Frame').style.width = layout.width * scale + 'px';
  $('Frame').style.height = (layout.height - shift) * scale + 'px';
}
window.addEventListener('resize', () => fit());
// At the start by the window's width, which needs no layout of the page, so that a click can be
// taken before it is laid out; exactly in the first frame, which lays it out anyway (a scroll bar
// takes its width from the room then).
fit(window.innerWidth);
requestAnimationFrame(() => fit());

view.carryOut(melody.Form_Load().filter((c) => c.call !== 'PlayWave'));
showMelody(melody.snapshot());
// At the start: the address's melody, else this tab's as a reload left it; a new tab starts empty
// and offers the melody a closed tab left.
const own = await keeper.own();
if (location.hash) {
  openAddress();
} else if (own) {
  view.carryOut(melody.apply({codes: own.codes, cursor: own.cursor, title: own.title}));
  address(true);
} else {
  keeper.left().then(offerLeft);
}
history.forget();
showMelody(melody.snapshot());
keep(melody.snapshot());
window.addEventListener('hashchange', openAddress);

// Offline: the service worker keeps this build; a new one is taken at the next visit. About names
// the build.
navigator.serviceWorker?.register('sw.js').catch(() => {});
$('AboutButton').addEventListener('click', async () => {
  const version = await (await fetch('version.json')).json();
  message(words.word('page.version', version.program, version.build));
});
window.addEventListener('pagehide', () => {
  address(true);
  keep(melody.snapshot(), false);
});
document.body.dataset.ready = '';
loadWaves();
