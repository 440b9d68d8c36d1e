// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string_view>

namespace merin {

// The melody has 30 slots, shown to the user as 1..30.
inline constexpr int32_t kSlotCount = 30;

// The 24 note codes and what each stands for: core/pitch.h.

// Codes that are not notes.
inline constexpr std::string_view kRestCode = "01";
inline constexpr std::string_view kEmptyCode = "99";

// Marker colours: pure red for the current slot, system colour 9 for every other one.
inline constexpr uint32_t kCurrentMarkerColour = 255;
inline constexpr uint32_t kMarkerColour = 0x80000009;

// A code is a note exactly when its first character is '1'..'7'; rests and empty slots are pauses.
bool IsNote(std::string_view code);

}  // namespace merin
