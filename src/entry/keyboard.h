// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "core/melody.h"
#include "core/melodyview.h"

namespace merin {

// The note code of each white key, left to right; the cell shows the code's picture.
inline constexpr std::array<std::string_view, 14> kWhiteKeyCodes = {
    "11", "21", "31", "41", "51", "61", "71", "13", "23", "32", "43", "53", "63", "72"};

// The note code of each black key, left to right.
inline constexpr std::array<std::string_view, 10> kBlackKeyCodes = {"12", "22", "42", "52", "62",
                                                                    "14", "24", "44", "54", "64"};

// A white key was clicked: its note goes into the current slot and the cursor moves on.
// An index outside the keyboard changes nothing.
void ken_Click(Melody& melody, MelodyView& view, int16_t Index);

// A black key was clicked; as ken_Click.
void bkey_Click(Melody& melody, MelodyView& view, int16_t Index);

// The rest pedal was clicked: a rest goes into the current slot and the cursor moves on.
void PedalSW_Click(Melody& melody, MelodyView& view);

}  // namespace merin
