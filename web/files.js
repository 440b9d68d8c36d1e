// SPDX-License-Identifier: MIT
// Tunes in and out: a file opened or dropped, or text pasted, examined by the session (a file of
// nothing but blank lines is refused as empty) and brought in with the window's choice of tune or
// part; and the melody downloaded in every format the core writes, named as the session names it,
// with the line that says how the tune's name had to change. Every text is the core's.

export class Files {
  // `page`: {m, tab, face, words, layout, message(text)}.
  constructor(page) {
    this.page = page;
  }

  // Brings in `bytes` named `name`; `what` says what could not be read when it is refused.
  async bringIn(bytes, name, what) {
    const {m, tab, face, words, message} = this.page;
    const examined = m.examine(bytes, name);
    if (examined.refusal) return message(what + '\n\n' + words.of(examined.refusal));
    let number = 0,
      from = 1;
    if (examined.choices.length > 0) {
      const chosen = await this.choose(examined, bytes, name);
      if (!chosen) return;
      ({number, from} = chosen);
    }
    const taken = tab.bringTaken(bytes, name, number, from);
    if (taken.refusal) return message(what + '\n\n' + words.of(taken.refusal));
    face.show(taken);
    if (!taken.import) return;
    const lines = words.of(taken.report);
    if (lines.length === 0) lines.push(words.word('page.import.unchanged'));
    message(words.word('page.import.read', taken.format, name, lines.join('\n')));
  }

  // A file chosen or dropped.
  async open(file) {
    const bytes = new Uint8Array(await file.arrayBuffer());
    await this.bringIn(bytes, file.name, this.page.words.word('page.open-failed'));
  }

  // Text pasted on the page.
  async paste(text) {
    const {words} = this.page;
    await this.bringIn(
      new TextEncoder().encode(text),
      words.word('page.clipboard'),
      words.word('page.clipboard-failed')
    );
  }

  // Asks which tune of a collection or which part of a MIDI file, and from which slot:
  // {number, from}, or nothing when cancelled. Enter takes the choice shown, Escape cancels.
  choose(examined, bytes, name) {
    const {m, words} = this.page;
    const dialog = document.getElementById('ChoiceDialog');
    const list = document.getElementById('ChoiceList');
    const from = document.getElementById('From');
    const parts = examined.parts;
    document.getElementById('PartOnly').hidden = !parts;
    document.getElementById('ChoiceCaption').textContent = parts
      ? words.word('page.choose-part')
      : words.word('page.choose-tune');
    document.getElementById('ChoiceFile').textContent = name;
    document.getElementById('FromLabel').textContent = words.word('page.part.from');
    document.getElementById('ChoiceOk').textContent = words.word('page.ok');
    document.getElementById('ChoiceCancel').textContent = words.word('page.cancel');
    list.replaceChildren();
    list.classList.toggle('table', Boolean(parts));
    if (parts) {
      const head = [
        words.word('page.part.number'),
        words.word('page.part.track'),
        words.word('page.part.channel'),
        words.word('page.part.instrument'),
        words.word('page.part.onsets'),
        words.word('page.part.lowest'),
        words.word('page.part.highest')
      ];
      const header = row(head, 'presentation');
      header.className = 'head';
      list.append(header);
    }
    const rows = examined.choices.map((choice, i) => {
      const cells = parts
        ? [
            i + 1,
            parts[i].name,
            parts[i].channel,
            words.of(parts[i].instrument),
            parts[i].onsets,
            parts[i].lowest,
            parts[i].highest
          ]
        : [
            choice.refused
              ? words.word('page.tune.refused', i + 1, choice.title, words.of(choice.reason))
              : words.word('page.tune.notes', i + 1, choice.title, choice.notes)
          ];
      const r = row(cells, 'option');
      r.setAttribute('aria-disabled', String(choice.refused));
      r.addEventListener('click', () => !choice.refused && select(i));
      r.addEventListener('dblclick', () => !choice.refused && dialog.close('ok'));
      list.append(r);
      return r;
    });
    let current = -1;
    const preview = () => {
      if (!parts) return;
      from.max = parts[current].sequence.length;
      const taken = m.take(bytes, name, current + 1, Number(from.value) || 1);
      drawRoll(m, this.page.layout, taken.melody ? taken.melody.codes : []);
    };
    const select = (i) => {
      rows[current]?.setAttribute('aria-selected', 'false');
      current = i;
      rows[i].setAttribute('aria-selected', 'true');
      rows[i].scrollIntoView({block: 'nearest'});
      preview();
    };
    from.value = 1;
    from.oninput = preview;
    list.onkeydown = (event) => {
      if (event.key === 'Enter') {
        event.preventDefault();
        return dialog.close('ok');
      }
      const step = {ArrowDown: 1, ArrowUp: -1}[event.key];
      if (!step) return;
      event.preventDefault();
      for (let i = current + step; i >= 0 && i < rows.length; i += step) {
        if (!examined.choices[i].refused) return select(i);
      }
    };
    if (examined.offered > 0) select(examined.offered - 1);
    dialog.returnValue = '';
    dialog.showModal();
    list.focus();
    return new Promise((resolve) => {
      dialog.onclose = () => {
        const ok = dialog.returnValue === 'ok' && current >= 0;
        resolve(ok ? {number: current + 1, from: parts ? Number(from.value) || 1 : 1} : null);
      };
    });
  }

  // Downloads the melody in the format written with `extension`, named as the session names it;
  // the melody is saved so. When the tune's name had to change, a message says how.
  download(extension) {
    const {tab, face, words, message} = this.page;
    const written = tab.exportAs(extension);
    if (written.refusal) {
      return message(words.word('page.export-failed') + '\n\n' + words.of(written.refusal));
    }
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([written.bytes], {type: written.mime}));
    link.download = written.file;
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 1000);
    face.saved();
    if (written.nameChange) {
      message(words.word('page.exported', written.file) + '\n' + words.of(written.nameChange));
    }
  }
}

function row(cells, role) {
  const r = document.createElement('div');
  r.setAttribute('role', role);
  for (const text of cells) {
    const cell = document.createElement('span');
    cell.textContent = text;
    r.append(cell);
  }
  return r;
}

// The piano roll of a part's slots: one column a slot, one row a key of the handset's range.
function drawRoll(m, layout, codes) {
  const canvas = document.getElementById('PianoRoll');
  const context = canvas.getContext('2d');
  const lowest = m.midiOf(layout.whiteKeys[0]);
  const rows = m.midiOf(layout.whiteKeys.at(-1)) - lowest + 1;
  const column = canvas.width / codes.length,
    height = (canvas.height - 4) / rows;
  context.fillStyle = '#fff';
  context.fillRect(0, 0, canvas.width, canvas.height);
  context.fillStyle = '#999';
  for (let octave = 0; octave <= 2; ++octave) {
    context.fillRect(0, Math.round(canvas.height - 2 - octave * 12 * height), canvas.width, 1);
  }
  codes.forEach((code, slot) => {
    const midi = m.midiOf(code);
    const x = Math.floor(slot * column) + 1;
    if (midi >= 0) {
      context.fillStyle = '#3060c0';
      const y = Math.floor(canvas.height - 2 - (midi - lowest + 1) * height);
      context.fillRect(x, y, Math.floor(column) - 2, Math.max(2, Math.floor(height)));
    } else if (m.pitchName(code) === 'r') {
      context.fillStyle = '#000';
      context.fillRect(x, canvas.height - 4, Math.floor(column) - 2, 2);
    }
  });
}
