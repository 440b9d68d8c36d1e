// SPDX-License-Identifier: MIT
// MIDI keyboards through Web MIDI, asked for only when MIDI 入力 is chosen: every input is
// listened to, one plugged in later too. Each message is one call into the tab's session, whose
// rule writes the melody; the page shows the result and holds down the keys played. A refusal,
// a failure or a browser without Web MIDI is said once, in words.
const $ = (id) => document.getElementById(id);

// Wires MIDI 入力; `page`: {tab, face, words, message}.
export function wireMidi({tab, face, words, message}) {
  let access = null;
  // Said for a while beside the button, taking no focus, so that playing goes on.
  const note = (text) => {
    $('MidiNote').textContent = text;
    setTimeout(() => ($('MidiNote').textContent = ''), 4000);
  };
  const listen = (input) => {
    input.onmidimessage = (event) => {
      const result = face.show(tab.midi(event.data, event.timeStamp));
      for (const id of result.pressed) $(id)?.classList.add('down');
      for (const id of result.released) $(id)?.classList.remove('down');
      if (result.shifted) note(words.word('midi-in.shifted'));
    };
  };
  $('MidiMenu').addEventListener('click', async () => {
    if (access) return;
    if (!navigator.requestMIDIAccess) return message(words.word('midi-in.no-web-midi'));
    try {
      access = await navigator.requestMIDIAccess();
    } catch (error) {
      return message(
        error?.name === 'NotAllowedError'
          ? words.word('midi-in.refused')
          : words.word('midi-in.failed', String(error?.message ?? error))
      );
    }
    access.inputs.forEach(listen);
    access.onstatechange = ({port}) => {
      if (port.type === 'input' && port.state === 'connected') listen(port);
    };
    $('MidiMenu').setAttribute('aria-pressed', 'true');
  });
}
