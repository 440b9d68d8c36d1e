// SPDX-License-Identifier: MIT
// Every text of the window and the bar in the page's language, set again when it changes: each a
// row of the core's word tables by its id. All of it comes from the tables the page is built with,
// so it is set while the module starts.
const $ = (id) => document.getElementById(id);

// `page`: {view, words, layout, formats}: the formats offered for export are listed here too.
export function followLanguage({view, words, layout, formats}) {
  for (const format of formats.filter((f) => f.writable)) {
    const option = document.createElement('option');
    option.value = format.extensions[0];
    option.dataset.ja = format.ja;
    option.dataset.en = format.en;
    $('ExportFormat').append(option);
  }
  $('Language').value = words.language;
  $('Language').addEventListener('change', () => words.use($('Language').value));
  words.follow(() => {
    const w = (id, ...values) => words.word(id, ...values);
    document.title = $('Caption').textContent = w('page.caption');
    view.pedal.textContent = w('page.rest-pedal');
    view.command1.textContent = w('page.convert-button');
    view.command2.textContent = w('page.test-play');
    $('OpenLabel').querySelector('span').textContent = w('page.open');
    $('ExportButton').textContent = w('page.export');
    $('UndoButton').textContent = w('page.undo');
    $('RedoButton').textContent = w('page.redo');
    $('SoloutCaption').textContent = w('page.result');
    $('Text1').setAttribute('aria-label', $('SoloutCaption').textContent);
    for (const option of $('ExportFormat').options) {
      option.textContent = `${option.dataset[words.language]} (*.${option.value})`;
    }
    $('ExportFormat').setAttribute('aria-label', w('page.format'));
    $('StopButton').textContent = w('page.stop');
    $('CopyButton').textContent = w('page.copy');
    $('ShareButton').textContent = w('page.share');
    $('GuideButton').textContent = w('guide.title');
    $('MidiMenu').textContent = w('midi-in.title');
    $('SharpToggle').textContent = w('page.sharp');
    $('AboutButton').textContent = w('page.about');
    $('SharpToggle').title = w('page.sharp-taps');
    $('RestoreText').textContent = w('page.left');
    $('Restore').textContent = w('page.restore');
    $('KeptList').options[0].textContent = w('page.kept');
    $('LanguageLabel').textContent = w('page.language');
    $('Language').options[0].textContent = w('page.japanese');
    $('Language').options[1].textContent = w('page.english');
    $('PasteHint').textContent = w('page.paste-here');
    $('MerinMain').setAttribute('aria-label', document.title);
    view.markers.forEach((marker, slot) =>
      marker.setAttribute('aria-label', w('page.marker', slot + 1))
    );
    view.pedal.setAttribute('aria-label', w('page.rest-pedal'));
    view.command1.setAttribute('aria-label', w('page.convert'));
    view.command2.setAttribute('aria-label', w('page.test-play'));
    const keys = [
      ...layout.whiteKeys.map((code, i) => [view.white[i], code]),
      ...layout.blackKeys.map((code, i) => [view.black[i], code])
    ];
    for (const [key, code] of keys)
      key.setAttribute('aria-label', w('page.key', layout.keyNames[code]));
  });
}
