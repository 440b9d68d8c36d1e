// SPDX-License-Identifier: MIT
// The page of Merinkast98: the main window on the core's module. A tab's melody is a session of
// the module's (`Session`): every press, click and tap is one call into it, and the page shows the
// one result that comes back. The window is drawn from the core's tables while the module starts.
import {render, TestPlay} from './audio.js';
import {offerLeft, wireBar} from './bar.js';
import {Face} from './face.js';
import {Files} from './files.js';
import {fitToScreen} from './fit.js';
import {Guide} from './guide.js';
import {wireInput} from './input.js';
import {Keeper} from './keep.js';
import {formats, layout, shortcuts, words as rows} from './tables.js';
import {followLanguage} from './texts.js';
import {wireMidi} from './midi.js';
import {MainWindow} from './window.js';
import {Words} from './words.js';

const PROGRAM = '/program';
const $ = (id) => document.getElementById(id);

const words = new Words(rows);
const view = new MainWindow($('MerinMain'), layout, layout.emptyPicture);
function message(text) {
  $('MessageText').textContent = text;
  $('MessageOk').textContent = words.word('page.ok');
  $('MessageDialog').showModal();
}
// The browser's storage opens meanwhile too, and every text is set and the window fitted.
const keeper = new Keeper(
  (error) => message(words.word('page.keep-failed') + '\n\n' + String(error?.message ?? error)),
  shortcuts.keptMost
);
followLanguage({view, words, layout, formats});
fitToScreen(layout);
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
const tab = new m.Session(staff.y, staff.height);
const testPlay = new TestPlay(waves, wavesLoaded);
const face = new Face({tab, view, words, keeper, message});

// What the page's parts share, and what a test looks at.
export const session = {
  m,
  tab,
  words,
  layout,
  waves,
  wavesLoaded,
  melody: () => tab.snapshot(),
  steps: () => m.testPlaySteps(tab.snapshot().codes),
  message,
  render // what test play of some steps sounds, rendered offline
};
const page = {...session, face, view, keeper, shortcuts, testPlay};
page.files = new Files(page);
page.guide = new Guide(session, testPlay);
$('GuideButton').addEventListener('click', () => !tab.playing() && page.guide.open());
wireInput(page);
wireBar(page);
wireMidi(page);
// The cells are named by the window's opening below, and again whenever the language changes.
words.onChange(() => face.names());

// The melody of the address's fragment in place of the one open, as one step of undo; a fragment
// that is none is refused with the core's words and changes nothing.
function openAddress() {
  const read = tab.bringAddress(decodeURIComponent(location.hash.slice(1)));
  if (!read.refusal) return face.show(read);
  message(words.word('page.address.refused') + '\n\n' + words.of(read.refusal));
  face.addressNow();
}

// The window opens on an empty melody, which is no address: the address is read below.
face.show({...tab.load(), address: undefined});
// At the start: the address's melody, else this tab's as a reload left it; a new tab starts empty
// and offers the melody a closed tab left. Undo starts after it.
const own = await keeper.own();
if (location.hash) {
  openAddress();
} else if (own) {
  face.show(tab.bring(own));
  if (own.shared) face.saved();
  face.addressNow();
} else {
  keeper.left().then((left) => offerLeft(page, left));
}
tab.forget();
face.buttons({canUndo: false, canRedo: false});
face.keep();
window.addEventListener('hashchange', openAddress);

window.addEventListener('pagehide', () => {
  face.addressNow();
  face.keep(false);
});
document.body.dataset.ready = '';
loadWaves();
// Offline: the service worker keeps this build; a new one is taken at the next visit.
navigator.serviceWorker?.register('sw.js').catch(() => {});
