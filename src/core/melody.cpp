// SPDX-License-Identifier: MIT
#include "core/melody.h"

#include "core/da.h"
#include "core/notecode.h"

namespace merin {

int32_t NextSlot(int32_t cursor) { return cursor + 1 > kSlotCount - 1 ? 0 : cursor + 1; }

int32_t PreviousSlot(int32_t cursor) { return cursor == 0 ? kSlotCount - 1 : cursor - 1; }

void PlaceNote(Melody& melody, MelodyView& view, std::string_view pictureName,
               std::string_view code) {
  view.ShowPicture(melody.Cursor, Da::PathOf(pictureName));
  melody.Notes[melody.Cursor] = code;
}

void SelectSlot(Melody& melody, MelodyView& view, int32_t target) {
  view.SetMarkerColour(melody.Cursor, kMarkerColour);
  melody.Cursor = target;
  view.SetMarkerColour(melody.Cursor, kCurrentMarkerColour);
}

void ShowSlotNumber(const Melody& melody, MelodyView& view) {
  view.SetStatusText("NOTE:" + std::to_string(melody.Cursor + 1));
}

void PlaceNoteAndAdvance(Melody& melody, MelodyView& view, std::string_view pictureName,
                         std::string_view code) {
  PlaceNote(melody, view, pictureName, code);
  SelectSlot(melody, view, NextSlot(melody.Cursor));
  ShowSlotNumber(melody, view);
}

}  // namespace merin
