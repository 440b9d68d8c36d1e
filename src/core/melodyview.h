// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "core/errorwords.h"

namespace merin {

// Thrown by a view when a picture file cannot be loaded; carries the file's path and why, as a
// reason of core/errorwords.h.
class PictureLoadError : public std::runtime_error {
 public:
  explicit PictureLoadError(std::string path, int reason = kCannotRead)
      : std::runtime_error(path + ": " + ErrorWords(reason, Language::English)),
        path_(std::move(path)),
        reason_(reason) {}
  const std::string& path() const { return path_; }
  int reason() const { return reason_; }

 private:
  std::string path_;
  int reason_;
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
