// SPDX-License-Identifier: MIT
#pragma once

#include <array>

#include "core/notecode.h"

class QLabel;
class QPushButton;
class QStatusBar;
class QWidget;

namespace merin::ui {

class KeyButton;
class PositionMarker;
class StaffCell;

// The laid-out controls of the main window, owned by their Qt parent, the client area.
struct MainControls {
  std::array<StaffCell*, kSlotCount> gosen{};
  std::array<PositionMarker*, kSlotCount> np{};
  std::array<KeyButton*, 14> ken{};
  std::array<KeyButton*, 10> bkey{};
  QPushButton* pedalSW = nullptr;
  QPushButton* command1 = nullptr;
  QPushButton* command2 = nullptr;
  QWidget* mmControl1 = nullptr;
  QStatusBar* statusBar1 = nullptr;
  QLabel* statusText = nullptr;
};

// Builds every control of kMainLayout on `client`, in its order, with its object name, pixel
// rectangle, caption, starting picture and colour, and chains the tab order the same way.
MainControls BuildControls(QWidget* client);

// Sets the buttons' captions in the application's language.
void TranslateControls(const MainControls& controls);

}  // namespace merin::ui
