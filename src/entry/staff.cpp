// SPDX-License-Identifier: MIT
#include "entry/staff.h"

#include <span>

#include "core/notecode.h"
#include "core/pitch.h"

namespace merin {
namespace {

bool IsSlot(int16_t index) { return index >= 0 && index < kSlotCount; }

}  // namespace

std::string_view StaffNoteAt(float Y, bool sharp) {
  std::span<const StaffBand> bands =
      sharp ? std::span<const StaffBand>(SharpBands) : std::span<const StaffBand>(NaturalBands);
  for (const StaffBand& band : bands.first(bands.size() - 1)) {
    if (Y < band.upper) return band.code;
  }
  // Also where Y is not a number: the lowest band.
  return bands.back().code;
}

void Gosen_MouseDown(Melody& melody, MelodyView& view, int16_t Index, int16_t Button, int16_t Shift,
                     float /*X*/, float Y) {
  if (!IsSlot(Index)) return;
  SelectSlot(melody, view, Index);
  if (Button == kLeftButton) {
    const std::string_view code = StaffNoteAt(Y, Shift == kShiftMask);
    PlaceNote(melody, view, PictureFileOf(code), code);
  } else if (Button == kRightButton) {
    PlaceNote(melody, view, kEmptyPicture, kEmptyCode);
  }
  ShowSlotNumber(melody, view);
}

void np_Click(Melody& melody, MelodyView& view, int16_t Index) {
  if (!IsSlot(Index)) return;
  SelectSlot(melody, view, Index);
  ShowSlotNumber(melody, view);
}

}  // namespace merin
