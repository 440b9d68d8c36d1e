// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

#include "core/melodyview.h"
#include "core/sounddevice.h"

namespace merin::session {

// A session's face where nothing is shown or heard: the converter's MIDI input, the fuzz targets.
class NoFace : public MelodyView, public SoundDevice {
 public:
  void ShowPicture(int32_t, const std::string&) override {}
  void SetMarkerColour(int32_t, uint32_t) override {}
  void SetStatusText(const std::string&) override {}
  int32_t CellTop(int32_t) const override { return 0; }
  int32_t CellHeight(int32_t) const override { return 111; }
  void SetMarkerTop(int32_t, int32_t) override {}
  void SetCellBorder(int32_t, int32_t) override {}
  void RepaintCell(int32_t) override {}
  void SetTestPlayEnabled(bool) override {}
  void EndProgram() override {}
  void PlayWave(const std::string&) override {}
};

}  // namespace merin::session
