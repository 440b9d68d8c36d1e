#include "entry/keyboard.h"

#include <span>

#include "core/notecode.h"

namespace merin {
namespace {

void EnterKey(Melody& melody, MelodyView& view, std::span<const std::string_view> table,
              int16_t index) {
  if (index < 0 || static_cast<size_t>(index) >= table.size()) return;
  std::string_view name = table[static_cast<size_t>(index)];
  PlaceNoteAndAdvance(melody, view, name, name.substr(0, 2));
}

}  // namespace

void ken_Click(Melody& melody, MelodyView& view, int16_t Index) {
  EnterKey(melody, view, kWhiteKeyPictures, Index);
}

void bkey_Click(Melody& melody, MelodyView& view, int16_t Index) {
  EnterKey(melody, view, kBlackKeyPictures, Index);
}

void PedalSW_Click(Melody& melody, MelodyView& view) {
  PlaceNoteAndAdvance(melody, view, kRestPicture, kRestCode);
}

}  // namespace merin
