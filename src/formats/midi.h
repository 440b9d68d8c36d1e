// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include <string_view>

#include "formats/format.h"

namespace merin::formats {

// A Standard MIDI File (format 0) of the melody up to its last non-empty slot: one note a slot,
// slots 280 ms apart, each note sounding 250 ms, velocity 100, square lead (GM 81) on channel 1;
// the track is named `title` when there is one.
std::string WriteMidi(const Codes& codes, std::string_view title = {});

// The Standard MIDI File unit.
Format MidiFormat();

}  // namespace merin::formats
