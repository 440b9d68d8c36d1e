// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace merin {

// The one way the program plays sound.
class SoundDevice {
 public:
  virtual ~SoundDevice() = default;
  // Plays the wave file at `path` and returns when it has been played. A file that cannot be
  // played is the device's business: it never throws.
  virtual void PlayWave(const std::string& path) = 0;
  // Plays the program's last sound and returns when it has been heard; nothing is played after
  // it. A device may then hear it out by the clock rather than wait for a slow sound server to
  // drain. By default, PlayWave.
  virtual void PlayLastWave(const std::string& path) { PlayWave(path); }
  // Ends the sound being played now and drops what is queued to be heard; the PlayWave that
  // plays it returns. May be called from another thread than the one that plays.
  virtual void Stop() {}
};

}  // namespace merin
