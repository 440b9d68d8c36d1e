// SPDX-License-Identifier: MIT
// Tunes in and out: a file opened or dropped, or text pasted, brought in by the core's examine and
// take with the window's choice of tune or part; and the melody downloaded in every format the
// core writes. Messages are the window's and the core's words.
const FILES = 'merin::ui::MelodyFiles';
const PARTS = 'merin::ui::PartDialog';

export class Files {
  // `session`: {m, words, layout, melody(), replace(melody), message(text)}.
  constructor(session) {
    this.session = session;
  }

  // Brings in `bytes` named `name`; `what` says what could not be read when it is refused.
  async bringIn(bytes, name, what) {
    const {m, words} = this.session;
    const examined = m.examine(bytes, name);
    if (examined.refusal) return this.session.message(what + '\n\n' + words.of(examined.refusal));
    let number = 0,
      from = 1;
    if (examined.choices.length > 0) {
      const chosen = await this.choose(examined, bytes, name);
      if (!chosen) return;
      ({number, from} = chosen);
    }
    const taken = m.take(bytes, name, number, from);
    if (taken.refusal) return this.session.message(what + '\n\n' + words.of(taken.refusal));
    const melody = taken.melody;
    this.session.replace(melody);
    if (!melody.import) return;
    const lines = words.of(melody.report);
    if (lines.length === 0)
      lines.push(words.caption(FILES, '変更はありません（すべての音がそのまま入りました）'));
    this.session.message(
      words.caption(FILES, '%1 を読み込みました: %2\n\n%3', taken.format, name, lines.join('\n'))
    );
  }

  // A file chosen or dropped.
  async open(file) {
    const bytes = new Uint8Array(await file.arrayBuffer());
    await this.bringIn(
      bytes,
      file.name,
      this.session.words.caption(FILES, 'ファイルを開けません。')
    );
  }

  // Text pasted on the page.
  async paste(text) {
    const {words} = this.session;
    await this.bringIn(
      new TextEncoder().encode(text),
      words.caption(FILES, 'クリップボード'),
      words.caption(FILES, 'クリップボードの内容を読み込めません。')
    );
  }

  // Asks which tune of a collection or which part of a MIDI file, and from which slot:
  // {number, from}, or nothing when cancelled. Enter takes the choice shown, Escape cancels.
  choose(examined, bytes, name) {
    const {m, words} = this.session;
    const dialog = document.getElementById('ChoiceDialog');
    const list = document.getElementById('ChoiceList');
    const from = document.getElementById('From');
    const parts = examined.parts;
    document.getElementById('PartOnly').hidden = !parts;
    document.getElementById('ChoiceCaption').textContent = parts
      ? words.caption(PARTS, 'パートを選ぶ')
      : words.caption(FILES, '曲を選ぶ');
    document.getElementById('ChoiceFile').textContent = name;
    document.getElementById('FromLabel').textContent = words.caption(PARTS, '開始位置(&S):');
    document.getElementById('ChoiceOk').textContent = words.word('page.ok');
    document.getElementById('ChoiceCancel').textContent = words.word('page.cancel');
    list.replaceChildren();
    list.classList.toggle('table', Boolean(parts));
    if (parts) {
      const head = ['番号', 'トラック名', 'チャンネル', '音色', '音の数', '最低音', '最高音'];
      const header = row(
        head.map((h) => words.caption(PARTS, h)),
        'presentation'
      );
      header.className = 'head';
      list.append(header);
    }
    const rows = examined.choices.map((choice, i) => {
      const cells = parts
        ? [
            i + 1,
            parts[i].name,
            parts[i].channel,
            parts[i].instrument,
            parts[i].onsets,
            parts[i].lowest,
            parts[i].highest
          ]
        : [
            choice.refused
              ? words.caption(FILES, '%1. %2 — %3', i + 1, choice.title, words.of(choice.reason))
              : words.caption(FILES, '%1. %2（%3 音）', i + 1, choice.title, choice.notes)
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
      drawRoll(m, this.session.layout, taken.melody ? taken.melody.codes : []);
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

  // Downloads the melody in the format written with `extension`, named by its title; whether it
  // was written.
  download(extension) {
    const {m, words} = this.session;
    const melody = this.session.melody();
    const file = (melody.title || 'melody') + '.' + extension;
    const written = m.exportAs(melody.codes, extension, file, melody.title);
    if (written.refusal) {
      return this.session.message(
        words.caption(FILES, 'エクスポートできませんでした') + '\n\n' + words.of(written.refusal)
      );
    }
    const format = m.formats().find((f) => f.extensions[0] === extension);
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([written.bytes], {type: format.mime}));
    link.download = file;
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 1000);
    return true;
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
