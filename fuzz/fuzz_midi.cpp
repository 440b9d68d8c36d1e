// SPDX-License-Identifier: MIT
// Fuzzes the MIDI reader and the part extraction: a refusal names a byte inside the file; a file
// read has parts on channels other than 10, each with its notes in range and as many slots as
// onsets and rests allow, and every part gives a melody of valid codes.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "formats/midi.h"
#include "melody_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  auto tune = merin::formats::ReadMidiTune(bytes, "fuzz");
  if (auto* error = std::get_if<merin::formats::Refusal>(&tune)) {
    CheckError(*error, size);
    if (error->offset && *error->offset > size) std::abort();
    return 0;
  }
  const auto& read = std::get<merin::formats::MidiTune>(tune);
  if (read.parts.empty() || read.chosen < 1 || read.chosen > read.parts.size()) std::abort();
  size_t slots = 0;  // the parts' sequences follow one another
  for (size_t part = 0; part <= read.parts.size(); ++part) {
    if (part > 0) {
      const auto& p = read.parts[part - 1];
      if (p.channel == 10 || p.lowest > p.highest || p.highest > 127 || p.onsets == 0) std::abort();
      if (p.sequenceLength < p.onsets || p.sequenceLength > 5 * p.onsets) std::abort();
      if (p.sequenceStart != slots || p.track > read.names.size()) std::abort();
      slots += p.sequenceLength;
    }
    auto taken = merin::formats::TakePart(read, part, 1, "fuzz");
    if (!std::holds_alternative<merin::formats::Imported>(taken)) std::abort();
    CheckCodes(std::get<merin::formats::Imported>(taken).codes);
  }
  if (slots != read.sequences.size()) std::abort();
  return 0;
}
