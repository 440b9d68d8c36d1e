// SPDX-License-Identifier: MIT
#include "entry/keyboard.h"

#include <span>

#include "core/notecode.h"
#include "core/pitch.h"

namespace merin {
namespace {

void EnterKey(Melody& melody, MelodyView& view, std::span<const std::string_view> table,
              int16_t index) {
  if (index < 0 || static_cast<size_t>(index) >= table.size()) return;
  const std::string_view code = table[static_cast<size_t>(index)];
  PlaceNoteAndAdvance(melody, view, PictureFileOf(code), code);
}

}  // namespace

void ken_Click(Melody& melody, MelodyView& view, int16_t Index) {
  EnterKey(melody, view, kWhiteKeyCodes, Index);
}

void bkey_Click(Melody& melody, MelodyView& view, int16_t Index) {
  EnterKey(melody, view, kBlackKeyCodes, Index);
}

void PedalSW_Click(Melody& melody, MelodyView& view) {
  PlaceNoteAndAdvance(melody, view, PictureFileOf(kRestCode), kRestCode);
}

}  // namespace merin
