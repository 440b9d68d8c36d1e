// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "core/sounddevice.h"

namespace merin::bench {

// A sound device that returns at once, so a benchmark times the window and not the sound card.
class NullSound : public SoundDevice {
 public:
  // Plays nothing.
  void PlayWave(const std::string&) override {}
};

}  // namespace merin::bench
