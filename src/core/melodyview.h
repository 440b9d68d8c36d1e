// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "core/coretexts.h"
#include "core/refusal.h"

namespace merin {

// Thrown by a view when a picture file cannot be loaded, so that the handler stops at that step;
// carries the refusal that names the file and says why.
class PictureLoadError : public std::runtime_error {
 public:
  explicit PictureLoadError(Refusal refusal)
      : std::runtime_error(Words(refusal, Language::English)), refusal_(std::move(refusal)) {}
  // The picture at `path` could not be read.
  explicit PictureLoadError(std::string path)
      : PictureLoadError(Refusal(CoreText("picture.cannot-read"), std::move(path))) {}
  const Refusal& refusal() const { return refusal_; }

 private:
  Refusal refusal_;
};

// What the melody logic needs of the main window. Positions are in pixels of the layout.
class MelodyView {
 public:
  virtual ~MelodyView() = default;

  // Loads the bitmap at `path` into staff cell `slot`; throws PictureLoadError and changes nothing
  // when the file cannot be loaded.
  virtual void ShowPicture(int32_t slot, const std::string& path) = 0;
  // Sets the background colour of marker `slot` (255 or a 0x800000nn system colour).
  virtual void SetMarkerColour(int32_t slot, uint32_t colour) = 0;
  // Replaces the status bar text.
  virtual void SetStatusText(const std::string& text) = 0;

  virtual int32_t CellTop(int32_t slot) const = 0;
  virtual int32_t CellHeight(int32_t slot) const = 0;
  virtual void SetMarkerTop(int32_t slot, int32_t top) = 0;

  // Border style of a staff cell: 0 none, 1 a single line.
  virtual void SetCellBorder(int32_t slot, int32_t style) = 0;
  // Redraws a staff cell at once.
  virtual void RepaintCell(int32_t slot) = 0;
  // Enables or disables the test-play button.
  virtual void SetTestPlayEnabled(bool enabled) = 0;

  // Ends the program at once, without closing the window normally.
  virtual void EndProgram() = 0;
};

}  // namespace merin
