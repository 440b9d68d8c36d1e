// SPDX-License-Identifier: MIT
#pragma once

#include <span>
#include <string>

#include "core/melody.h"
#include "output/resultview.h"

namespace merin {

// The handset key presses that type the melody in, one line per slot, each ending in CR LF.
// A note line repeats its key once per press, led by "[確定]" when the nearest earlier note used
// the same key; every other slot is "[0]".
//
// Codes the entry operations never store are handled too: a code starting with '1'..'7' takes the
// value of its last character as the number of presses when that is a digit, and none otherwise;
// every other code, the empty string included, is a pause.
std::string ConvertMelody(std::span<const std::string, kSlotCount> codes);

// The convert button: the listing goes into the result window, which is shown modally.
void Command1_Click(const Melody& melody, ResultWindowProvider& windows);

}  // namespace merin
