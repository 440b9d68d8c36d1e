// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "formats/format.h"

// The reading of Standard MIDI Files (midiread.cpp), the names it gives (instrumentnames.cpp) and
// the MIDI unit's words.
namespace merin::formats {

// One part of a Standard MIDI File: the notes of one channel (never channel 10) in one track.
// Its fields are narrow because a file of 4 MiB can hold close to a million parts.
struct MidiPart {
  uint32_t track = 0;               // 1-based, in the file's order
  uint8_t channel = 1;              // 1..16
  uint8_t program = 0;              // its General MIDI instrument, 0..127
  uint8_t lowest = 0, highest = 0;  // key numbers
  uint32_t onsets = 0;              // ticks at which at least one of its notes starts
  uint32_t chords = 0;              // onsets at which more than one starts
  uint32_t notes = 0;
  uint32_t keySum = 0;         // of every note, for the mean
  uint32_t sequenceStart = 0;  // where its sequence is in MidiTune::sequences
  uint32_t sequenceLength = 0;
};

// The parts of a file, numbered from 1 in order of track, then channel, and the one taken when
// none is asked for (1-based).
struct MidiTune {
  std::vector<MidiPart> parts;
  size_t chosen = 1;
  // Each track's name as TitleOf makes it, empty when it has none.
  std::vector<std::string> names;
  // How many control characters each track's name dropped.
  std::vector<uint32_t> nameControls;
  // The parts' sequences, one after another.
  std::vector<int> sequences;

  // The name of the track of `part`.
  const std::string& Name(const MidiPart& part) const { return names[part.track - 1]; }
  // The whole sequence of slots of `part`: the highest note of each onset, rests before an onset
  // after a silence of a beat or more (one a beat, at most 4).
  std::span<const int> Sequence(const MidiPart& part) const {
    return std::span(sequences).subspan(part.sequenceStart, part.sequenceLength);
  }
};

// Reads the parts of a Standard MIDI File of format 0 or 1 (running status, meta and
// system-exclusive events, a note-on of velocity 0 as a note-off, chunks of other types
// skipped). A note ends at the next note-off of its key and channel in its track (first in,
// first out), else at the end of the track. Refused, with the byte offset: a file over
// kMaxBinaryBytes, a missing or wrong header, format 2, SMPTE time, a chunk or event that runs
// past the end, and a file with no note outside channel 10.
std::variant<MidiTune, Refusal> ReadMidiTune(std::string_view bytes, std::string_view file);

// The melody of part `part` (1-based; 0 for the chosen one) from slot `from` on, fitted as Fit
// does, the report telling first which part was taken and how many onsets held a chord.
std::variant<Imported, Refusal> TakePart(const MidiTune& tune, size_t part, size_t from,
                                         std::string_view file);

// A key number's scientific name: 60 is "C4", 61 "C#4".
std::string KeyName(int key);

// The General MIDI instrument name of `program` (0..127), in English.
std::string_view InstrumentName(int program);
// The same in `language`: in Japanese the katakana of the English name.
std::string InstrumentName(int program, Language language);
// The rows of the instrument names.
std::span<const Text> InstrumentTexts();

// The rows of the MIDI unit's words.
std::span<const Text> MidiTexts();

}  // namespace merin::formats
