// SPDX-License-Identifier: MIT
#pragma once

#include "cli/arguments.h"

namespace merin::cli {

// --midi-in: the melody played on a MIDI keyboard, each slot's line said on standard error as it
// is played, the whole listing on standard output at Ctrl+C or once slot 30 is played. The exit
// status: 0, or kBadInput when there is no MIDI system or no such port.
int ListenToMidi(const Plan& plan);

}  // namespace merin::cli
