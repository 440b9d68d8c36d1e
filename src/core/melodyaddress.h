// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "core/melodyedit.h"
#include "core/refusal.h"

namespace merin {

// A melody as the fragment of a page's address carries it, so that a link is the melody:
// "m1." and one character a slot from slot 1 on ('A'..'X' the 24 pitches C4, C#4, D4 .. B5 in
// rising order, 'r' a rest, '-' an empty slot; trailing empty slots left out), then, when the
// melody has a title, '.' and the title's UTF-8 in base64url without padding.
struct AddressedMelody {
  SlotCodes codes;
  std::string title;
};

// The fragment (without '#') of `codes` and `title`; an unknown code is written as empty.
std::string FragmentOf(const SlotCodes& codes, std::string_view title);

// The melody of a fragment (without '#'), or why it is none: another prefix, a character that is
// no slot, more than 30 slots, a title that is not base64url, or not UTF-8, or holds a control
// character, or a fragment longer than kMaxFragment. The refusal names the fragment and the
// offending character's column.
std::variant<AddressedMelody, Refusal> MelodyOfFragment(std::string_view fragment);

// The longest fragment read: 30 slots and a long title.
inline constexpr size_t kMaxFragment = 2048;

}  // namespace merin
