// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

#include "core/melody.h"
#include "core/melodyview.h"
#include "core/sounddevice.h"

namespace merin {

// The test-play button: every slot 0..29 is played in turn, its cell bordered while it sounds,
// with the button disabled meanwhile.
void Command2_Click(const Melody& melody, MelodyView& view, SoundDevice& sound);

}  // namespace merin
