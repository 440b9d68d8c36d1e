// SPDX-License-Identifier: MIT
#include "ui/waveplayer.h"

#include <utility>

namespace merin::ui {

WavePlayer::WavePlayer(SoundDevice& sound)
    : sound_(sound), player_([this] { playRuns(); }), cutter_([this] { cutSounds(); }) {}

WavePlayer::~WavePlayer() {
  {
    const std::lock_guard lock(mutex_);
    ++asked_;
    waiting_ = false;
    cut();
    ending_ = true;
  }
  wake_.notify_all();
  player_.join();
  cutter_.join();
}

void WavePlayer::cut() {
  if (sounding_) ++cutsAsked_;
}

void WavePlayer::play(std::vector<std::string> paths) {
  {
    const std::lock_guard lock(mutex_);
    ++asked_;
    next_ = std::move(paths);
    waiting_ = true;
    cut();
  }
  wake_.notify_all();
}

void WavePlayer::stop() {
  {
    const std::lock_guard lock(mutex_);
    ++asked_;
    next_.clear();
    waiting_ = false;
    cut();
  }
  wake_.notify_all();
}

bool WavePlayer::playing() const {
  const std::lock_guard lock(mutex_);
  return waiting_ || sounding_;
}

void WavePlayer::playRuns() {
  std::unique_lock lock(mutex_);
  for (;;) {
    // A run starts once the sound before it is cut, so that the cut never reaches it.
    wake_.wait(lock, [this] { return ending_ || (waiting_ && cutsDone_ == cutsAsked_); });
    if (ending_) return;
    const std::vector<std::string> paths = std::exchange(next_, {});
    const unsigned run = asked_;
    waiting_ = false;
    sounding_ = true;
    for (const std::string& path : paths) {
      if (asked_ != run) break;
      lock.unlock();
      sound_.PlayWave(path);
      lock.lock();
    }
    sounding_ = false;
    wake_.notify_all();
  }
}

void WavePlayer::cutSounds() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return ending_ || cutsDone_ != cutsAsked_; });
    if (cutsDone_ == cutsAsked_) return;  // ending, and nothing left to cut
    const unsigned asked = cutsAsked_;
    lock.unlock();
    sound_.Stop();
    lock.lock();
    cutsDone_ = asked;
    wake_.notify_all();
  }
}

}  // namespace merin::ui
