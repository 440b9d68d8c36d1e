#pragma once

#include <string_view>

namespace merin::art {

// Where a note code sits: its step on the staff and whether it is sharp.
struct NotePitch {
  int step;    // 0 = C of the lower octave (C4) .. 13 = B of the upper octave (B5)
  bool sharp;  // a semitone above the step
};

// The pitch of one of the 24 note codes; throws std::invalid_argument for any other code.
NotePitch NotePitchOf(std::string_view code);

}  // namespace merin::art
