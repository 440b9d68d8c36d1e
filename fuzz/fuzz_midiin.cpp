// SPDX-License-Identifier: MIT
// Fuzzes what a MIDI keyboard sends, read by the session in pieces: no more events than bytes,
// and the melody it writes holds only the codes of notes and rests with the cursor in its slots.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "melody_check.h"
#include "session/midiinput.h"
#include "session/noface.h"
#include "session/session.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const size_t piece = data[0] % 7 + 1;
  const std::span<const uint8_t> bytes(data + 1, size - 1);
  merin::session::MidiInput input;
  merin::session::NoFace view;
  merin::session::Session session(view);
  session.Load(view);
  size_t events = 0;
  for (size_t at = 0; at < bytes.size(); at += piece) {
    const auto part = bytes.subspan(at, std::min(piece, bytes.size() - at));
    events += input.Feed(part).size();
    for (const merin::PianoKey& key : session.Midi(part, int64_t(at)).pressed) {
      if (key.kind == merin::PianoKey::Kind::Rest) std::abort();
    }
  }
  if (events > bytes.size()) std::abort();
  CheckCodes(merin::CodesOf(session.melody()));
  if (session.melody().Cursor < 0 || session.melody().Cursor >= merin::kSlotCount) std::abort();
  return 0;
}
