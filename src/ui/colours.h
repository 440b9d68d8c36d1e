// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <cstdint>

namespace merin::ui {

// The colour a 32-bit layout value stands for: 0x800000nn is system colour nn taken from the
// application palette, any other value is 0x00BBGGRR.
QColor ColourOf(uint32_t value);

}  // namespace merin::ui
