// SPDX-License-Identifier: MIT
// The window's controls, the computer keyboard and touch, each press one call into the session
// and its result shown: the staff (with the ghost of the note a click would write), the markers,
// the on-screen keys and the pedal, the keys of the core's shortcut table, and test play, during
// which the session holds back what comes in.
const $ = (id) => document.getElementById(id);
const BUTTONS = {0: 1, 2: 2, 1: 4}; // the DOM's mouse buttons as the handler numbers them
const LONG_PRESS = 500; // ms: a touch held so long empties the slot
const SLOP = 10; // CSS pixels a touch may move and still be a tap

// Wires the controls; `page`: {m, tab, face, view, testPlay, guide, shortcuts}.
export function wireInput(page) {
  const {m, tab, face, view, testPlay, guide, shortcuts} = page;
  const act = (result) => face.show(result);

  // The staff: a click writes the note of its band, the ghost shows it beforehand.
  let hovered = null; // {cell, y} under the pointer
  const ghost = (shift) => {
    const note = m.wouldWrite(hovered.y, shift);
    view.showGhost(hovered.cell, note.code, note.name, note.picture);
  };
  const sharp = () => $('SharpToggle').getAttribute('aria-pressed') === 'true';
  let pressed = null; // a touch on a cell
  view.cells.forEach((cell, slot) => {
    const down = (button, shift, y) => act(tab.staffDown(slot, button, shift, y));
    cell.cell.addEventListener('pointerdown', (event) => {
      if (event.pointerType !== 'touch') return;
      event.preventDefault(); // no mouse events after the touch
      // A tap writes what a click at that row writes, a sharp while ♯ is on; a long press
      // empties the slot, as the right button does; a touch that moves scrolls the row instead.
      const y = view.rowOf(cell, event);
      const press = {x: event.clientX, y: event.clientY, id: event.pointerId};
      press.timer = setTimeout(() => {
        pressed = null;
        down(BUTTONS[2], 0, y);
      }, LONG_PRESS);
      press.tap = () => down(BUTTONS[0], sharp() ? 1 : 0, y);
      pressed = press;
    });
    cell.cell.addEventListener('mousedown', (event) => {
      event.preventDefault();
      const button = BUTTONS[event.button];
      if (!button) return;
      view.showGhost(cell, '', '');
      const shift = (event.shiftKey ? 1 : 0) | (event.ctrlKey ? 2 : 0) | (event.altKey ? 4 : 0);
      down(button, shift, view.rowOf(cell, event));
    });
    cell.cell.addEventListener('contextmenu', (event) => event.preventDefault());
    // Reached by Tab, a cell becomes the current slot, which the keys then write.
    cell.cell.tabIndex = 0;
    cell.cell.addEventListener('focus', () => face.cursor !== slot && act(tab.marker(slot)));
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
  $('SharpToggle').addEventListener('click', () =>
    $('SharpToggle').setAttribute('aria-pressed', String(!sharp()))
  );

  view.markers.forEach((marker, slot) =>
    marker.addEventListener('click', () => act(tab.marker(slot)))
  );
  view.white.forEach((key, i) => key.addEventListener('click', () => act(tab.command('white', i))));
  view.black.forEach((key, i) => key.addEventListener('click', () => act(tab.command('black', i))));
  view.pedal.addEventListener('click', () => act(tab.command('rest', 0)));
  $('UndoButton').addEventListener('click', () => act(tab.command('undo', 0)));
  $('RedoButton').addEventListener('click', () => act(tab.command('redo', 0)));

  // テスト演奏: the session's steps, each cell bordered while its wave sounds. What comes in
  // meanwhile arrives when the melody is over; 停止 or Escape drops it.
  const startTestPlay = () => {
    if (testPlay.playing || tab.playing()) return;
    const {calls, steps} = tab.startTestPlay();
    view.carryOut(calls);
    $('StopButton').disabled = false;
    testPlay.start(
      steps,
      (step) => view.carryOut(tab.showTestPlayStep(step)),
      (stopped) => {
        $('StopButton').disabled = true;
        act(tab.endTestPlay(stopped));
        view.command2.focus(); // as in the window, where the button had the focus
      }
    );
  };
  view.command2.addEventListener('click', startTestPlay);
  $('StopButton').addEventListener('click', () => testPlay.stop());

  // The computer keyboard: the letter rows as a piano by where a key sits, and the keys of the
  // core's table by what they are; F2 opens the guide, Escape stops test play. A text field or a
  // dialog keeps its own keys.
  const held = new Map();
  document.addEventListener('keydown', (event) => {
    if (event.key === 'Escape' && tab.playing()) return testPlay.stop();
    if (event.key === 'Shift' && hovered) ghost(true);
    if (event.target.closest('input:not([type=file]), textarea, select, dialog[open]')) return;
    if (event.key === 'F2' && !tab.playing()) {
      event.preventDefault();
      return guide.open();
    }
    const ctrl = event.ctrlKey || event.metaKey;
    if (event.altKey) return;
    const name = event.key.length === 1 ? event.key.toUpperCase() : event.key;
    const key = shortcuts.keys[(ctrl ? 'Ctrl+' : '') + (event.shiftKey ? 'Shift+' : '') + name];
    if (key) {
      event.preventDefault();
      return act(tab.command(key.command, key.value));
    }
    if (ctrl || event.shiftKey) return;
    const piano = shortcuts.piano[event.code.replace(/^(Key|Digit)/, '')];
    if (!piano) return;
    event.preventDefault();
    if (event.repeat || held.has(event.code)) return;
    const button =
      {white: view.white, black: view.black}[piano.command]?.[piano.value] ?? view.pedal;
    held.set(event.code, button);
    button.classList.add('down');
    act(tab.command(piano.command, piano.value));
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
}
