// SPDX-License-Identifier: MIT
#pragma once

#include <QThreadPool>
#include <atomic>
#include <string>
#include <vector>

#include "core/sounddevice.h"

namespace merin::ui {

// Plays sounds through a sound device on a thread of its own, so that a dialog goes on while they
// sound, one run of sounds after another. Going, it stops what plays and waits for its thread.
class WavePlayer {
 public:
  explicit WavePlayer(SoundDevice& sound);
  ~WavePlayer();
  WavePlayer(const WavePlayer&) = delete;
  WavePlayer& operator=(const WavePlayer&) = delete;

  // Cuts the sound that sounds now, then plays the wave files `paths` one after another, after
  // the runs asked for before.
  void play(std::vector<std::string> paths);
  // Stops what plays and drops every run asked for so far.
  void stop();
  // Whether a run is playing.
  bool playing() const { return thread_.activeThreadCount() > 0; }

 private:
  SoundDevice& sound_;
  QThreadPool thread_;
  unsigned runs_ = 0;                 // the runs asked for
  std::atomic<unsigned> dropped_{0};  // the runs up to this one are not to be played
};

}  // namespace merin::ui
