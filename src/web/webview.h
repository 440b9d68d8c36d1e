// SPDX-License-Identifier: MIT
#pragma once

#include <emscripten/val.h>

#include <cstdint>
#include <string>

#include "core/melodyview.h"
#include "core/sounddevice.h"

namespace merin::web {

// The main window and the sound device as the page meets them: every call is written down in
// order, as an object named after it ({call: "ShowPicture", slot, path}, {call: "PlayWave",
// path} ...), for the page to carry out. Every cell is `cellTop` and `cellHeight` as the page
// lays them out.
class WebView : public MelodyView, public SoundDevice {
 public:
  WebView(int32_t cellTop, int32_t cellHeight) : cellTop_(cellTop), cellHeight_(cellHeight) {}

  // The calls written down since the last Take, as an array; none are kept.
  emscripten::val Take();

  void ShowPicture(int32_t slot, const std::string& path) override;
  void SetMarkerColour(int32_t slot, uint32_t colour) override;
  void SetStatusText(const std::string& text) override;
  int32_t CellTop(int32_t) const override { return cellTop_; }
  int32_t CellHeight(int32_t) const override { return cellHeight_; }
  void SetMarkerTop(int32_t slot, int32_t top) override;
  void SetCellBorder(int32_t slot, int32_t style) override;
  void RepaintCell(int32_t slot) override;
  void SetTestPlayEnabled(bool enabled) override;
  void EndProgram() override;
  void PlayWave(const std::string& path) override;

 private:
  // A new call named `name`, written down; its values are set on what it returns.
  emscripten::val Add(const char* name);

  emscripten::val calls_ = emscripten::val::array();
  int32_t cellTop_, cellHeight_;
};

}  // namespace merin::web
