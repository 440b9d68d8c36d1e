// SPDX-License-Identifier: MIT
// キー入力ガイド: the melody one slot at a time, large, with the handset keys that type it in lit
// in order, as the desktop's guide shows it. What each slot is typed as comes from the core.
const PRESS_MS = 450; // each key stays lit so long, and the pause after the last as long
const KEYPAD = ['1', '2', '3', '4', '5', '6', '7', '8', '9', '*', '0', '#'];
const SWIPE = 40; // CSS pixels across that make a swipe rather than a tap

export class Guide {
  // `session` gives the module, the words and the melody; `testPlay` sounds a slot's wave.
  constructor(session, testPlay) {
    this.session = session;
    this.testPlay = testPlay;
    this.dialog = document.getElementById('GuideDialog');
    this.tiles = new Map();
    const keypad = document.getElementById('GuideKeypad');
    const confirm = session.m.confirmKey;
    for (const key of [...KEYPAD, confirm]) {
      const tile = document.createElement('span');
      tile.className = key === confirm ? 'key confirm' : 'key';
      tile.textContent = key;
      keypad.append(tile);
      this.tiles.set(key, tile);
    }
    const $ = (id) => document.getElementById(id);
    this.slotLine = $('GuideSlot');
    this.pitch = $('GuidePitch');
    this.presses = $('GuidePresses');
    $('GuidePrevious').addEventListener('click', () => this.show(this.slot - 1));
    $('GuideNext').addEventListener('click', () => this.show(this.slot + 1));
    $('GuideClose').addEventListener('click', () => this.dialog.close());
    this.dialog.addEventListener('keydown', (event) => this.key(event));
    this.dialog.addEventListener('close', () => this.closed());
    // A tap on the left half goes back, on the right half on; a swipe goes the way it pulls.
    const face = $('GuideFace');
    face.addEventListener(
      'pointerdown',
      (event) => (this.down = {x: event.clientX, id: event.pointerId})
    );
    face.addEventListener('pointerup', (event) => {
      if (this.down?.id !== event.pointerId) return;
      const moved = event.clientX - this.down.x;
      this.down = null;
      if (Math.abs(moved) >= SWIPE) return this.show(this.slot + (moved < 0 ? 1 : -1));
      const box = face.getBoundingClientRect();
      this.show(this.slot + (event.clientX < box.left + box.width / 2 ? -1 : 1));
    });
    face.addEventListener('pointercancel', () => (this.down = null));
    session.words.follow(() => this.translate());
  }

  translate() {
    const w = (id) => this.session.words.word(id);
    document.getElementById('GuideTitle').textContent = w('guide.title');
    document.getElementById('GuidePrevious').textContent = '← ' + w('guide.previous');
    document.getElementById('GuideNext').textContent = w('guide.next') + ' →';
    document.getElementById('GuideClose').textContent = w('page.ok');
    document.getElementById('GuideHint').textContent = w('guide.keys');
    if (this.slots) this.showWords();
  }

  // Opens the guide at slot 1 of the melody as it is now; focus comes back where it was.
  open() {
    if (this.dialog.open) return;
    this.returnTo = document.activeElement;
    this.slots = this.session.m.keyPresses(this.session.melody().codes);
    this.codes = this.session.melody().codes;
    this.slot = 0;
    this.dialog.showModal();
    document.getElementById('GuideFace').focus();
    this.show(1);
  }

  closed() {
    clearInterval(this.timer);
    this.testPlay.stop();
    this.returnTo?.focus();
  }

  key(event) {
    const to = {
      ' ': this.slot + 1,
      ArrowRight: this.slot + 1,
      ArrowDown: this.slot + 1,
      PageDown: this.slot + 1,
      ArrowLeft: this.slot - 1,
      ArrowUp: this.slot - 1,
      PageUp: this.slot - 1,
      Backspace: this.slot - 1,
      Home: 1,
      End: this.slots.length
    }[event.key];
    if (to === undefined || event.target.closest('button')) return;
    event.preventDefault();
    this.show(to);
  }

  // Slot `slot` (1..30) comes up: its words, its keys lit from the first, its note heard.
  show(slot) {
    slot = Math.min(Math.max(slot, 1), this.slots.length);
    if (slot === this.slot) return; // at either end: nothing new
    this.slot = slot;
    this.showWords();
    this.light(0);
    clearInterval(this.timer);
    // After the last key a pause of one press, then the keys again from the first.
    this.timer = setInterval(
      () => this.light(this.press + 1 > this.keys.length ? 0 : this.press + 1),
      PRESS_MS
    );
    this.testPlay.stop();
    const {m} = this.session;
    this.testPlay.start(
      [{slot: slot - 1, wave: m.waveFileOf(this.codes[slot - 1])}],
      () => {},
      () => {}
    );
  }

  showWords() {
    const {words} = this.session;
    const s = this.slots[this.slot - 1];
    this.keys = s.keys;
    this.slotLine.textContent = words.word('guide.slot', this.slot);
    this.pitch.textContent = s.name || words.word(s.rest ? 'guide.rest' : 'guide.empty');
    this.presses.textContent = words.word('guide.presses', this.keys.map((k) => `[${k}]`).join(''));
  }

  light(press) {
    this.press = press;
    const on = this.keys[press];
    for (const [key, tile] of this.tiles) tile.classList.toggle('lit', key === on);
  }
}
