// SPDX-License-Identifier: MIT
// What the page shows of the session's results: the view's calls carried out, the names a screen
// reader gives the cells that changed, what it says of the change, the undo buttons, the melodies
// replaced kept, this tab's melody kept, the address, and any refusal in a message. The session
// decides all of it; the page only shows it.
const $ = (id) => document.getElementById(id);

export class Face {
  // `tab`: the module's Session; `view`: the MainWindow; `words`, `keeper`, `message(text)`.
  constructor({tab, view, words, keeper, message}) {
    Object.assign(this, {tab, view, words, keeper, message});
    this.last = null; // the last result that said how the melody is
    this.due = null; // the fragment to write once the change is painted
  }

  // Shows `result` of an action; returns it.
  show(result) {
    const {view, words} = this;
    view.carryOut(result.calls);
    for (const {slot, name} of result.names ?? []) {
      view.cells[slot].cell.setAttribute('aria-label', words.of(name));
    }
    if (result.said) $('Announce').textContent = words.of(result.said);
    this.buttons(result);
    for (const melody of result.replaced ?? []) this.keeper.replaced(melody);
    if (result.melody) {
      this.last = result;
      if (result.address !== undefined) this.address(result.address);
      if (!result.queued) this.keep();
    }
    if (result.refusal) this.message(words.of(result.refusal));
    if (result.pictureFailure) this.message(words.of(result.pictureFailure));
    return result;
  }

  // The undo buttons as the history stands.
  buttons({canUndo, canRedo}) {
    $('UndoButton').disabled = !canUndo;
    $('RedoButton').disabled = !canRedo;
  }

  // Every cell's name, in the page's language.
  names() {
    this.tab
      .names()
      .forEach((name, slot) =>
        this.view.cells[slot].cell.setAttribute('aria-label', this.words.of(name))
      );
  }

  // The current slot, as the last result left it.
  get cursor() {
    return this.last?.melody.cursor ?? 0;
  }

  // The melody was downloaded or shared as it is.
  saved() {
    this.tab.markSaved();
    if (this.last) this.last.saved = true;
    this.keep();
  }

  // This tab's melody into the browser's storage; `open` false as the tab goes.
  keep(open = true) {
    if (!this.last) return;
    const {melody, empty, saved} = this.last;
    return this.keeper.keep({...melody, used: !empty, shared: saved}, open);
  }

  // The address is the melody: its fragment follows every change, in place of the history
  // entry, written once the change has been painted, unless an address given meanwhile is still
  // to be opened.
  address(fragment) {
    const first = this.due === null;
    this.due = fragment;
    if (!first) return;
    const given = location.hash;
    requestAnimationFrame(() =>
      setTimeout(() => {
        if (this.due !== null && location.hash === given) this.write('#' + this.due);
        this.due = null;
      })
    );
  }

  // The address written at once, before it is read or the page goes.
  addressNow() {
    this.due = null;
    this.write('#' + this.tab.address());
  }

  write(fragment) {
    if (location.hash !== fragment) window.history.replaceState(null, '', fragment);
  }
}
