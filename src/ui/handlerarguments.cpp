// SPDX-License-Identifier: MIT
#include "ui/handlerarguments.h"

#include "entry/staff.h"

namespace merin::ui {

std::optional<int16_t> ButtonArgument(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return kLeftButton;
    case Qt::RightButton:
      return kRightButton;
    case Qt::MiddleButton:
      return kMiddleButton;
    default:
      return std::nullopt;
  }
}

int16_t ShiftArgument(Qt::KeyboardModifiers modifiers) {
  return int16_t((modifiers & Qt::ShiftModifier ? kShiftMask : 0) |
                 (modifiers & Qt::ControlModifier ? kCtrlMask : 0) |
                 (modifiers & Qt::AltModifier ? kAltMask : 0));
}

}  // namespace merin::ui
