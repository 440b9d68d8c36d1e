// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "core/melodyview.h"
#include "core/sounddevice.h"

namespace merin::test {

inline std::string Hex(uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%#x", v);
  return buf;
}

// A main window that writes down every call, in order, as one short line each.
class RecordingView : public MelodyView {
 public:
  std::vector<std::string> calls;
  std::set<std::string> unreadable;  // paths whose pictures fail to load
  int32_t cellTop = 10, cellHeight = 111;

  void ShowPicture(int32_t slot, const std::string& path) override {
    if (unreadable.count(path)) throw PictureLoadError(path);
    calls.push_back("picture " + std::to_string(slot) + " " + path);
  }
  void SetMarkerColour(int32_t slot, uint32_t colour) override {
    calls.push_back("marker " + std::to_string(slot) + " " + Hex(colour));
  }
  void SetStatusText(const std::string& text) override { calls.push_back("status " + text); }
  int32_t CellTop(int32_t) const override { return cellTop; }
  int32_t CellHeight(int32_t) const override { return cellHeight; }
  void SetMarkerTop(int32_t slot, int32_t top) override {
    calls.push_back("markertop " + std::to_string(slot) + " " + std::to_string(top));
  }
  void SetCellBorder(int32_t slot, int32_t style) override {
    calls.push_back("border " + std::to_string(slot) + " " + std::to_string(style));
  }
  void RepaintCell(int32_t slot) override { calls.push_back("repaint " + std::to_string(slot)); }
  void SetTestPlayEnabled(bool enabled) override {
    calls.push_back(enabled ? "testplay on" : "testplay off");
  }
  void EndProgram() override { calls.push_back("end"); }
};

// A sound device that only writes down what it was asked to play.
class RecordingSound : public SoundDevice {
 public:
  std::vector<std::string> played;
  std::vector<std::string>* log = nullptr;  // when set, plays are also logged here, interleaved
  void PlayWave(const std::string& path) override {
    played.push_back(path);
    if (log) log->push_back("play " + path);
  }
};

// A sound device as slow as a busy sound server: each sound lasts until it is stopped, at most
// `longest`, and stopping takes `stopping`. It writes down the sounds it began, from whichever
// thread plays.
class HeldSound : public SoundDevice {
 public:
  explicit HeldSound(std::chrono::milliseconds longest = std::chrono::hours(1),
                     std::chrono::milliseconds stopping = {})
      : longest_(longest), stopping_(stopping) {}
  void PlayWave(const std::string& path) override {
    std::unique_lock lock(mutex_);
    begun_.push_back(path);
    const unsigned stops = stops_;
    stopped_.wait_for(lock, longest_, [&] { return stops_ != stops; });
  }
  void Stop() override {
    std::this_thread::sleep_for(stopping_);
    {
      const std::lock_guard lock(mutex_);
      ++stops_;
    }
    stopped_.notify_all();
  }
  std::vector<std::string> begun() {
    const std::lock_guard lock(mutex_);
    return begun_;
  }

 private:
  const std::chrono::milliseconds longest_, stopping_;
  std::mutex mutex_;
  std::condition_variable stopped_;
  unsigned stops_ = 0;
  std::vector<std::string> begun_;
};

}  // namespace merin::test
