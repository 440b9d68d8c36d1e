// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace merin {

// What a laid-out control is; each kind is built by a widget class of the window and drawn alike
// by the page.
enum class ControlKind {
  kStaffCell,       // Gosen0..29
  kMarker,          // np0..29
  kWhiteKey,        // ken0..13
  kBlackKey,        // bkey0..9
  kRestPedal,       // PedalSW
  kConvertButton,   // Command1
  kTestPlayButton,  // Command2
  kStatusBar,       // StatusBar1, docked to the bottom of the client area
  kMultimedia,      // MMControl1, an invisible multimedia control kept for its place
};

// One control of the main window at its pixel rectangle in the client area. `index` is the
// slot or key number of the controls that come in rows, 0 for the others.
struct ControlPlacement {
  std::string_view name;
  ControlKind kind;
  int index;
  int x, y, width, height;
};

inline constexpr int kClientWidth = 627, kClientHeight = 376, kStatusHeight = 21;
inline constexpr size_t kControlCount = 89;

// Every control of the main window in the order it was laid out: each lies above the ones
// before it and follows them in tab order.
extern const std::array<ControlPlacement, kControlCount> kMainLayout;

// The rows of the client area between the markers and the keyboard that no control covers: where
// a bar can be shown without hiding anything, `top` included and `bottom` not.
struct FreeRows {
  int top, bottom;
};
FreeRows FreeRowsBelowStaff();

}  // namespace merin
