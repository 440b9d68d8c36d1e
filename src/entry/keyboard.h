#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "core/melody.h"
#include "core/melodyview.h"

namespace merin {

// Picture file of each white key, left to right; the code stored is its first two characters.
inline constexpr std::array<std::string_view, 14> kWhiteKeyPictures = {
    "11.bmp", "21.bmp", "31.bmp", "41.bmp", "51.bmp", "61.bmp", "71.bmp",
    "13.bmp", "23.bmp", "32.bmp", "43.bmp", "53.bmp", "63.bmp", "72.bmp"};

// Picture file of each black key, left to right.
inline constexpr std::array<std::string_view, 10> kBlackKeyPictures = {
    "12.bmp", "22.bmp", "42.bmp", "52.bmp", "62.bmp",
    "14.bmp", "24.bmp", "44.bmp", "54.bmp", "64.bmp"};

inline constexpr std::string_view kRestPicture = "01.bmp";

// A white key was clicked: its note goes into the current slot and the cursor moves on.
// An index outside the keyboard changes nothing.
void ken_Click(Melody& melody, MelodyView& view, int16_t Index);

// A black key was clicked; as ken_Click.
void bkey_Click(Melody& melody, MelodyView& view, int16_t Index);

// The rest pedal was clicked: a rest goes into the current slot and the cursor moves on.
void PedalSW_Click(Melody& melody, MelodyView& view);

}  // namespace merin
