// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/notecode.h"

namespace merin {

// How one slot is typed in on the handset: what the listing writes as its line, for the listing
// and the typing guide alike.
struct SlotPresses {
  int slot = 0;          // 1..30
  std::string name;      // the pitch name ("C4", "C#5"); empty for a slot that is no pitch
  bool rest = false;     // the slot holds the rest code
  bool confirm = false;  // "[確定]" comes first: the nearest earlier note used the same key
  char key = '0';        // the handset key, '0'..'7'
  int presses = 1;       // how often the key is pressed
};

// The confirm key, which the listing writes "[確定]".
inline constexpr std::string_view kConfirmKey = "確定";

// The keys of `slot` in the order they are pressed: the confirm key first when it comes, then the
// slot's key once a press.
std::vector<std::string> KeysOf(const SlotPresses& slot);

// The key presses of the 30 slots. A note repeats its key once per press; every other slot is one
// press of '0'. A code starting with '1'..'7' that is no pitch counts as a note of the key of its
// first character, pressed as often as its last character says when that is a digit.
std::array<SlotPresses, kSlotCount> KeyPressesOf(std::span<const std::string, kSlotCount> codes);

}  // namespace merin
