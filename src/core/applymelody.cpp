// SPDX-License-Identifier: MIT
#include "core/applymelody.h"

#include <stdexcept>

#include "core/pitch.h"

namespace merin {

namespace {

bool IsSlotCode(const std::string& code) {
  return code == kRestCode || code == kEmptyCode || Pitch::FromCode(code).has_value();
}

}  // namespace

void ApplyMelody(Melody& melody, MelodyView& view, const SlotCodes& codes, int32_t cursor) {
  if (cursor < 0 || cursor >= kSlotCount) {
    throw std::invalid_argument("cursor " + std::to_string(cursor) + " is not a slot");
  }
  for (int32_t i = 0; i < kSlotCount; ++i) {
    if (!IsSlotCode(codes[size_t(i)])) {
      throw std::invalid_argument("slot " + std::to_string(i + 1) + ": \"" + codes[size_t(i)] +
                                  "\" is not a note code");
    }
  }
  for (int32_t i = 0; i < kSlotCount; ++i) {
    const std::string& code = codes[size_t(i)];
    SelectSlot(melody, view, i);
    PlaceNote(melody, view, code == kEmptyCode ? std::string(kEmptyPicture) : PictureFileOf(code),
              code);
  }
  SelectSlot(melody, view, cursor);
  ShowSlotNumber(melody, view);
}

}  // namespace merin
