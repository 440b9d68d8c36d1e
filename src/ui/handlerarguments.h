// SPDX-License-Identifier: MIT
#pragma once

#include <Qt>
#include <cstdint>
#include <optional>

namespace merin::ui {

// The staff handler's Button for a Qt mouse button: left 1, right 2, middle 4; none for any
// other button, which the handler never hears of.
std::optional<int16_t> ButtonArgument(Qt::MouseButton button);

// The staff handler's Shift for Qt's modifiers: Shift 1, Ctrl 2, Alt 4, added up.
int16_t ShiftArgument(Qt::KeyboardModifiers modifiers);

}  // namespace merin::ui
