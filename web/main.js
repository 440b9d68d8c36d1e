// SPDX-License-Identifier: MIT
// The page of Merinkast98: the main window on the core's module. Every control runs the core's
// handler of the window's control of that name, and the page carries out the calls it returns;
// a change of the melody is one step of undo.
import {TestPlay} from './audio.js';
import {Files} from './files.js';
import {MainWindow} from './window.js';
import {Words} from './words.js';

const PROGRAM = '/program';
const $ = (id) => document.getElementById(id);

const m = await globalThis.createMerinkast98();
const captions = await (await fetch('captions.json')).json();
const words = new Words(m, captions);
const layout = m.mainLayout();

// The waves, into the module's file system for the WAV export and kept for test play.
m.FS.mkdirTree(PROGRAM);
m.setProgramFolder(PROGRAM);
const waves = new Map();
await Promise.all(m.programFiles().filter((name) => name.endsWith('.wav')).map(async (name) => {
  const bytes = new Uint8Array(await (await fetch('program/' + name)).arrayBuffer());
  m.FS.writeFile(`${PROGRAM}/${name}`, bytes);
  waves.set(name, bytes);
}));

const view = new MainWindow($('MerinMain'), layout, layout.emptyPicture);
const staff = layout.controls.find((c) => c.kind === 'staff');
const melody = new m.Melody(staff.y, staff.height);
const history = new m.MelodyHistory();
const testPlay = new TestPlay(waves);

// The session the page's parts share, and what a test looks at.
export const session = {
  m, words, layout, waves,
  melody: () => melody.snapshot(),
  steps: () => melody.testPlaySteps(),
  message,
  replace: (taken) => change(() => melody.apply({codes: taken.codes, cursor: taken.cursor,
    title: taken.title})),
};
const files = new Files(session);

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
  showMelody(after);
}

// Undo or redo: `step` of the history gives the snapshot to put back, if any.
function restore(step) {
  if (testPlay.playing) return;
  const snapshot = step();
  if (!snapshot) return;
  view.carryOut(melody.apply(snapshot));
  showMelody(melody.snapshot());
}

// What follows the melody beyond the handlers' calls: the names a screen reader gives the cells
// and the undo buttons.
function showMelody(snapshot) {
  snapshot.codes.forEach((code, slot) => {
    const name = m.pitchName(code);
    const id = name === '-' ? 'page.slot.empty' : name === 'r' ? 'page.slot.rest' : 'page.slot.note';
    view.cells[slot].cell.setAttribute('aria-label', words.word(id, slot + 1, name));
  });
  $('UndoButton').disabled = !history.canUndo();
  $('RedoButton').disabled = !history.canRedo();
}

function message(text) {
  $('MessageText').textContent = text;
  $('MessageOk').textContent = words.word('page.ok');
  $('MessageDialog').showModal();
}

// The staff: a click writes the note of its band, the ghost shows it beforehand.
const BUTTONS = {0: 1, 2: 2, 1: 4};
let hovered = null;  // {cell, y} under the pointer
function ghost(shift) {
  const code = m.staffNoteAt(hovered.y, shift);
  view.showGhost(hovered.cell, code, m.pitchName(code), m.pictureFileOf(code));
}
view.cells.forEach((cell, slot) => {
  cell.cell.addEventListener('mousedown', (event) => {
    event.preventDefault();
    const button = BUTTONS[event.button];
    if (!button) return;
    view.showGhost(cell, '', '');
    const shift = (event.shiftKey ? 1 : 0) | (event.ctrlKey ? 2 : 0) | (event.altKey ? 4 : 0);
    change(() => melody.Gosen_MouseDown(slot, button, shift, 0, view.rowOf(cell, event)));
  });
  cell.cell.addEventListener('contextmenu', (event) => event.preventDefault());
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
view.markers.forEach((marker, slot) => {
  marker.addEventListener('click', () => change(() => melody.np_Click(slot)));
});
view.white.forEach((key, i) => key.addEventListener('click', () => change(() => melody.ken_Click(i))));
view.black.forEach((key, i) => key.addEventListener('click', () => change(() => melody.bkey_Click(i))));
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
  const border = (style) => shown >= 0 &&
    view.carryOut([{call: 'SetCellBorder', slot: steps[shown].slot, style}]);
  view.carryOut([{call: 'SetTestPlayEnabled', enabled: false}]);
  $('StopButton').disabled = false;
  testPlay.start(steps, (step) => {
    border(0);
    shown = step;
    border(1);
  }, () => {
    border(0);
    $('StopButton').disabled = true;
    view.carryOut([{call: 'SetTestPlayEnabled', enabled: true}]);
    view.command2.focus();  // as in the window, where the button had the focus
  });
}
view.command2.addEventListener('click', startTestPlay);
$('StopButton').addEventListener('click', () => testPlay.stop());

// The computer keyboard: the letter rows as a piano by where a key sits, the cursor keys, undo and
// redo, Escape to stop test play. A text field or a dialog keeps its own keys.
const held = new Map();
const SELECT = {ArrowLeft: 'previous', ArrowRight: 'next', Home: 'first', End: 'end'};
document.addEventListener('keydown', (event) => {
  if (event.key === 'Escape' && testPlay.playing) return testPlay.stop();
  if (event.key === 'Shift' && hovered) ghost(true);
  if (event.target.closest('input:not([type=file]), textarea, select, dialog')) return;
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
  if (event.ctrlKey || event.altKey || event.metaKey || event.shiftKey) return;
  if (SELECT[event.key]) {
    event.preventDefault();
    return change(() => melody.select(SELECT[event.key]));
  }
  const piano = m.pianoKeyAt(event.code.replace(/^(Key|Digit)/, ''));
  if (!piano) return;
  event.preventDefault();
  if (event.repeat || held.has(event.code)) return;
  const button = piano.kind === 'white' ? view.white[piano.index]
    : piano.kind === 'black' ? view.black[piano.index] : view.pedal;
  held.set(event.code, button);
  button.classList.add('down');
  change(() => piano.kind === 'white' ? melody.ken_Click(piano.index)
    : piano.kind === 'black' ? melody.bkey_Click(piano.index) : melody.PedalSW_Click());
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
$('ExportButton').addEventListener('click', () => files.download($('ExportFormat').value));

// Every text, in the page's language.
$('Language').value = words.language;
$('Language').addEventListener('change', () => words.use($('Language').value));
words.follow(() => {
  const c = (context, source) => words.caption(context, source);
  document.title = $('Caption').textContent = c('merin::ui::MerinMain', 'Merinkast98   - DoCoMo携帯 作曲支援 -');
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
  $('LanguageLabel').textContent = words.word('page.language');
  $('Language').options[0].textContent = words.word('page.japanese');
  $('Language').options[1].textContent = words.word('page.english');
  $('PasteHint').textContent = words.word('page.paste-here');
  $('MerinMain').setAttribute('aria-label', document.title);
  view.markers.forEach((marker, slot) => marker.setAttribute('aria-label', words.word('page.marker', slot + 1)));
  view.white.forEach((key, i) => key.setAttribute('aria-label', words.word('page.key', m.pitchName(layout.whiteKeys[i]))));
  view.black.forEach((key, i) => key.setAttribute('aria-label', words.word('page.key', m.pitchName(layout.blackKeys[i]))));
  showMelody(melody.snapshot());
});

// Scaled down to a narrow screen, the window keeps its layout.
function fit() {
  const main = $('Frame').parentElement, style = getComputedStyle(main);
  const room = main.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight);
  const scale = Math.min(1, (room - 2) / layout.width);
  $('MerinMain').style.transform = `scale(${scale})`;
  $('Frame').style.width = layout.width * scale + 'px';
  $('Frame').style.height = layout.height * scale + 'px';
}
window.addEventListener('resize', fit);
fit();

view.carryOut(melody.Form_Load().filter((c) => c.call !== 'PlayWave'));
showMelody(melody.snapshot());
document.body.dataset.ready = '';
