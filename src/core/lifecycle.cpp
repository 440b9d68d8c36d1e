// SPDX-License-Identifier: MIT
#include "core/lifecycle.h"

#include "core/da.h"
#include "core/notecode.h"
#include "core/programfiles.h"

namespace merin {

void Form_Load(Melody& melody, MelodyView& view, SoundDevice& sound) {
  Da::InitAppFolder();
  melody.Cursor = 0;
  for (int32_t i = 0; i < kSlotCount; ++i) melody.Notes[i] = kEmptyCode;
  for (int32_t i = 0; i < kSlotCount; ++i)
    view.SetMarkerTop(i, view.CellTop(i) + view.CellHeight(i));
  sound.PlayWave(Da::PathOf(kOpeningSound));
}

void Form_Unload(SoundDevice& sound) { sound.PlayLastWave(Da::PathOf(kClosingSound)); }

void EndMenu_Click(MelodyView& view) { view.EndProgram(); }

}  // namespace merin
