// SPDX-License-Identifier: MIT
#include "ui/waveplayer.h"

namespace merin::ui {

WavePlayer::WavePlayer(SoundDevice& sound) : sound_(sound) { thread_.setMaxThreadCount(1); }

WavePlayer::~WavePlayer() { stop(); }

void WavePlayer::play(std::vector<std::string> paths) {
  sound_.Stop();
  thread_.start([this, run = ++runs_, paths = std::move(paths)] {
    for (const std::string& path : paths) {
      if (run <= dropped_) return;
      sound_.PlayWave(path);
    }
  });
}

void WavePlayer::stop() {
  dropped_ = runs_;
  sound_.Stop();
  thread_.waitForDone();
}

}  // namespace merin::ui
