// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/melodyview.h"
#include "core/notecode.h"

namespace merin {

// The melody under composition and its cursor. Slots 0..29 hold note codes; entry 30 stays empty.
struct Melody {
  std::array<std::string, kSlotCount + 1> Notes{};
  int32_t Cursor = 0;
  std::string Title;  // the tune's name, empty when it has none
};

// The slot after `cursor`: slot 29 wraps to slot 0.
int32_t NextSlot(int32_t cursor);
// The slot before `cursor`: slot 0 wraps to slot 29.
int32_t PreviousSlot(int32_t cursor);

// Shows the picture in the current cell, then stores `code` in the current slot. When the picture
// cannot be loaded the view throws and the code is not stored.
void PlaceNote(Melody& melody, MelodyView& view, std::string_view pictureName,
               std::string_view code);

// Moves the red marker and the cursor to `target` (0..29).
void SelectSlot(Melody& melody, MelodyView& view, int32_t target);

// Writes "NOTE:" and the 1-based number of the current slot to the status bar.
void ShowSlotNumber(const Melody& melody, MelodyView& view);

// One keyboard or pedal entry: place the note, move on one slot, show the new slot number.
void PlaceNoteAndAdvance(Melody& melody, MelodyView& view, std::string_view pictureName,
                         std::string_view code);

}  // namespace merin
