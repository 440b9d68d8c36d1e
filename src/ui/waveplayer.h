// SPDX-License-Identifier: MIT
#pragma once

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/sounddevice.h"

namespace merin::ui {

// Plays sounds through a sound device on a thread of its own, so that a dialog goes on while they
// sound. Only the run asked for last plays: a new one cuts the sound of the one before and drops
// whatever of it was still to come. Cutting a sound can take the device a while, so it is done
// on a second thread: the dialog never waits for the device, and a new run starts only once the
// sound before it is cut. Going, it stops what plays and waits for its threads.
class WavePlayer {
 public:
  explicit WavePlayer(SoundDevice& sound);
  ~WavePlayer();
  WavePlayer(const WavePlayer&) = delete;
  WavePlayer& operator=(const WavePlayer&) = delete;

  // Cuts what sounds now and drops the runs asked for before, then plays the wave files `paths`
  // one after another. Returns at once.
  void play(std::vector<std::string> paths);
  // Stops what plays and drops every run asked for so far. Returns at once.
  void stop();
  // Whether a run sounds or waits to.
  bool playing() const;

 private:
  // Asks for the sound of the run that sounds now to be cut; `mutex_` is held.
  void cut();
  // The player's thread: one run after another, the newest.
  void playRuns();
  // The cutter's thread: the device stopped once for all the cuts asked for meanwhile.
  void cutSounds();

  SoundDevice& sound_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::vector<std::string> next_;  // the run to play next
  bool waiting_ = false;           // a run waits to be played
  bool sounding_ = false;          // a run is being played
  unsigned asked_ = 0;             // runs and stops asked for: a run ends when this moves on
  unsigned cutsAsked_ = 0, cutsDone_ = 0;
  bool ending_ = false;
  std::thread player_, cutter_;
};

}  // namespace merin::ui
