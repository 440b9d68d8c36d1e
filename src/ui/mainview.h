// SPDX-License-Identifier: MIT
#pragma once

#include "core/melodyview.h"
#include "ui/maincontrols.h"

namespace merin::ui {

// The core's display seam carried out on the main window's controls: pictures are read from
// their files, layout colour values become palette or RGB colours, border styles a frame.
class MainView : public MelodyView {
 public:
  // Works on `controls`, which must outlive the view.
  explicit MainView(const MainControls& controls) : controls_(controls) {}

  void ShowPicture(int32_t slot, const std::string& path) override;
  void SetMarkerColour(int32_t slot, uint32_t colour) override;
  void SetStatusText(const std::string& text) override;
  int32_t CellTop(int32_t slot) const override;
  int32_t CellHeight(int32_t slot) const override;
  void SetMarkerTop(int32_t slot, int32_t top) override;
  void SetCellBorder(int32_t slot, int32_t style) override;
  void RepaintCell(int32_t slot) override;
  void SetTestPlayEnabled(bool enabled) override;
  // Leaves the application's event loop at once, without closing the window.
  void EndProgram() override;

 private:
  const MainControls& controls_;
};

}  // namespace merin::ui
