// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/melody.h"
#include "core/melodyview.h"
#include "core/sounddevice.h"

namespace merin {

// One step of test play: the slot that sounds and the wave file it plays.
struct TestPlayStep {
  int32_t slot = 0;
  std::string wave;
  bool operator==(const TestPlayStep&) const = default;
};

// The steps of test play: every slot 0..29 in turn, a note with its own wave and anything else
// with the rest's.
std::vector<TestPlayStep> TestPlaySteps(const Melody& melody);

// The test-play button: each step is played in turn, its cell bordered while it sounds, with the
// button disabled meanwhile. `stopRequested`, when given, is asked before each slot: once it says
// so, no further slot is played and the button comes back.
void Command2_Click(const Melody& melody, MelodyView& view, SoundDevice& sound,
                    const std::function<bool()>& stopRequested = {});

}  // namespace merin
