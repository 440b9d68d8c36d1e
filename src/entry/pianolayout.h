// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>

namespace merin {

// What a key of the computer keyboard plays: a white key, a black key or the rest pedal.
struct PianoKey {
  enum class Kind { White, Black, Rest };
  Kind kind;
  // The index of the on-screen key (ken / bkey); 0 for the pedal.
  int16_t index;
  friend bool operator==(PianoKey, PianoKey) = default;
};

// The piano key of a physical key of the computer keyboard, named by the character it carries on
// a US layout ('A'..'Z' upper case, '0'..'9'): Z X C V B N M and S D G H J the lower octave,
// Q W E R T Y U and 2 3 5 6 7 the upper one, 0 the rest pedal. None for any other key.
std::optional<PianoKey> PianoKeyAt(char usKey);

// The character that the key with PC scan code `scanCode` (set 1, as X11 and Wayland give it less
// 8 and Windows as it is) carries on a US layout, for the keys of the letter and digit rows; none
// for every other key.
std::optional<char> UsKeyOfScanCode(uint32_t scanCode);

}  // namespace merin
