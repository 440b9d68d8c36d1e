// SPDX-License-Identifier: MIT
#include "output/testplay.h"

#include "core/da.h"
#include "core/notecode.h"
#include "core/pitch.h"

namespace merin {

void Command2_Click(const Melody& melody, MelodyView& view, SoundDevice& sound) {
  view.SetTestPlayEnabled(false);
  for (int32_t i = 0; i < kSlotCount; ++i) {
    view.SetCellBorder(i, 1);
    sound.PlayWave(Da::PathOf(WaveFileOf(melody.Notes[i])));
    view.SetCellBorder(i, 0);
    view.RepaintCell(i);
  }
  view.SetTestPlayEnabled(true);
}

}  // namespace merin
