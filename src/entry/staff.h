// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "core/melody.h"
#include "core/melodyview.h"

namespace merin {

// One band of a staff cell: every Y below `upper` (and at or below the previous band's upper
// bound) gives the note `code`. The last band of a table is open downwards.
struct StaffBand {
  float upper;
  std::string_view code;
};

inline constexpr float kOpen = 1e30f;

// Natural notes from the top of the staff down, for a plain left click.
inline constexpr std::array<StaffBand, 14> NaturalBands = {{
    {22, "72"},
    {27, "63"},
    {33, "53"},
    {38, "43"},
    {44, "32"},
    {49, "23"},
    {57, "13"},
    {62, "71"},
    {68, "61"},
    {73, "51"},
    {79, "41"},
    {84, "31"},
    {90, "21"},
    {kOpen, "11"},
}};

// Sharp notes for a Shift-click; E and B, which have no sharp, give the natural note.
inline constexpr std::array<StaffBand, 13> SharpBands = {{
    {27, "64"},
    {33, "54"},
    {38, "44"},
    {44, "32"},
    {49, "24"},
    {57, "14"},
    {62, "71"},
    {68, "62"},
    {73, "52"},
    {79, "42"},
    {84, "31"},
    {90, "22"},
    {kOpen, "12"},
}};

// Mouse buttons and modifier bits as a staff cell reports them.
inline constexpr int16_t kLeftButton = 1, kRightButton = 2, kMiddleButton = 4;
inline constexpr int16_t kShiftMask = 1, kCtrlMask = 2, kAltMask = 4;

// The note code of the band holding pixel row `Y` of a staff cell. A Y on a bound belongs to
// the lower band (the lower pitch).
std::string_view StaffNoteAt(float Y, bool sharp);

// A mouse button went down on staff cell `Index`: the slot becomes current, then a left click
// writes the note at height Y (sharp with Shift alone), a right click empties the slot.
void Gosen_MouseDown(Melody& melody, MelodyView& view, int16_t Index, int16_t Button, int16_t Shift,
                     float X, float Y);

// A marker was clicked: its slot becomes current.
void np_Click(Melody& melody, MelodyView& view, int16_t Index);

}  // namespace merin
