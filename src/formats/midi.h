// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formats/format.h"
#include "formats/midiread.h"

namespace merin::formats {

// A Standard MIDI File (format 0) of the melody up to its last non-empty slot: one note a slot,
// slots 280 ms apart, each note sounding 250 ms, velocity 100, square lead (GM 81) on channel 1;
// the track is named `title` when there is one.
std::string WriteMidi(const SlotCodes& codes, std::string_view title = {});

// The melody of a Standard MIDI File: ReadMidiTune, then TakePart of `options.part` from
// `options.from`.
std::variant<Imported, Refusal> ReadMidi(std::string_view bytes, std::string_view file,
                                         const ReadOptions& options = {});

// The Standard MIDI File unit.
Format MidiFormat();

}  // namespace merin::formats
