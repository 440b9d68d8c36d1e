// SPDX-License-Identifier: MIT
#include "output/testplay.h"

#include "core/da.h"
#include "core/notecode.h"
#include "core/pitch.h"

namespace merin {

std::vector<TestPlayStep> TestPlaySteps(const Melody& melody) {
  std::vector<TestPlayStep> steps;
  steps.reserve(kSlotCount);
  for (int32_t i = 0; i < kSlotCount; ++i) steps.push_back({i, WaveFileOf(melody.Notes[i])});
  return steps;
}

void Command2_Click(const Melody& melody, MelodyView& view, SoundDevice& sound,
                    const std::function<bool()>& stopRequested) {
  view.SetTestPlayEnabled(false);
  for (const TestPlayStep& step : TestPlaySteps(melody)) {
    if (stopRequested && stopRequested()) break;
    view.SetCellBorder(step.slot, 1);
    sound.PlayWave(Da::PathOf(step.wave));
    view.SetCellBorder(step.slot, 0);
    view.RepaintCell(step.slot);
  }
  view.SetTestPlayEnabled(true);
}

}  // namespace merin
