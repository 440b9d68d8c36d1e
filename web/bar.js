// SPDX-License-Identifier: MIT
// The bar above the window, doing what the window's menus and dialogs do: 変換's listing, tunes in
// (開く, a file dropped, text pasted) and out (エクスポート), 保管されたメロディ, 共有, the bar that
// offers a closed tab's melody, and このページについて.
const $ = (id) => document.getElementById(id);

// Wires the bar; `page`: {m, tab, face, view, words, keeper, files, shortcuts, wavesLoaded,
// message}.
export function wireBar(page) {
  const {m, tab, face, view, words, keeper, files, shortcuts, wavesLoaded, message} = page;

  // 変換: the key presses, beside the window; the copy keeps their CR LF line ends.
  let listing = '';
  view.command1.addEventListener('click', () => {
    listing = m.convertMelody(tab.snapshot().codes).text;
    $('Text1').value = listing;
    $('CopyButton').disabled = false;
  });
  $('CopyButton').addEventListener('click', () => navigator.clipboard.writeText(listing));

  // Tunes in: 開く, a file dropped on the page, text pasted on it.
  $('OpenFile').addEventListener('change', async () => {
    const file = $('OpenFile').files[0];
    $('OpenFile').value = '';
    if (file) await files.open(file);
  });
  document.addEventListener('dragover', (event) => event.preventDefault());
  document.addEventListener('drop', (event) => {
    event.preventDefault();
    const file = event.dataTransfer.files[0];
    if (file) files.open(file);
  });
  document.addEventListener('paste', (event) => {
    if (event.target.closest('input, textarea, dialog')) return;
    event.preventDefault();
    files.paste(event.clipboardData.getData('text/plain'));
  });

  // Tunes out: every format the core writes (listed by texts.js).
  $('ExportButton').addEventListener('click', async () => {
    await wavesLoaded;
    files.download($('ExportFormat').value);
  });

  // 保管されたメロディ: the newest kept melodies, each with its time, first notes and title.
  const fillKept = async () => {
    const kept = await keeper.kept(shortcuts.keptListed);
    const list = $('KeptList');
    list.replaceChildren(list.options[0]);
    for (const k of kept) {
      const time = new Date(k.time).toLocaleString(words.language, {
        month: '2-digit',
        day: '2-digit',
        hour: '2-digit',
        minute: '2-digit'
      });
      const notes = m.firstNotes(k.codes);
      const option = new Option(
        k.title ? words.word('page.kept.titled', time, notes, k.title) : `${time}  ${notes}`
      );
      option.melody = k;
      list.append(option);
    }
    list.disabled = kept.length === 0;
  };
  $('KeptList').addEventListener('focus', fillKept);
  $('KeptList').addEventListener('pointerdown', fillKept);
  $('KeptList').addEventListener('change', () => {
    const k = $('KeptList').selectedOptions[0].melody;
    $('KeptList').selectedIndex = 0;
    if (k) face.show(tab.bring(k));
  });

  // 共有: the address, which is the melody, through the system's share sheet, or copied.
  $('ShareButton').addEventListener('click', async () => {
    face.saved();
    face.addressNow();
    const {title} = face.last.melody;
    if (navigator.share) return navigator.share({url: location.href, title}).catch(() => {});
    await navigator.clipboard.writeText(location.href);
    $('ShareNote').textContent = words.word('page.address.copied');
    setTimeout(() => ($('ShareNote').textContent = ''), 3000);
  });

  // About names the build.
  $('AboutButton').addEventListener('click', async () => {
    const version = await (await fetch('version.json')).json();
    message(words.word('page.version', version.program, version.build));
  });
}

// The bar that offers the melody a closed tab left, taking no focus: composing goes on meanwhile.
export function offerLeft({tab, face, keeper}, left) {
  if (!left) return;
  $('RestoreBar').hidden = false;
  const close = () => {
    $('RestoreBar').hidden = true;
    keeper.forget(left.tab);
  };
  $('Restore').onclick = () => {
    close();
    face.show(tab.bring(left));
  };
  $('Dismiss').onclick = close;
}
