// SPDX-License-Identifier: MIT
#pragma once

#include <cstdio>
#include <set>
#include <string>
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

}  // namespace merin::test
