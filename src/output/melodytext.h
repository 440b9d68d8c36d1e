// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/language.h"
#include "core/melodyedit.h"

namespace merin {

// A melody written as text, one token per slot: a note code ("11".."72", "01", "99") or a pitch
// name ("C4".."B5", "C#4" for a sharp, "r" for a rest, "-" for an empty slot).
struct MelodyTextError {
  size_t position;  // 1-based index of the offending token
  std::string token;
  int reason;  // one of core/errorwords.h

  // One line for the user in `language`: which token, where, and what is wrong with it.
  std::string Message(Language language) const;
};

// Up to 30 tokens to the 30 slot codes; missing slots are empty ("99").
std::variant<SlotCodes, MelodyTextError> ParseMelodyText(
    const std::vector<std::string_view>& tokens);

// Splits text at whitespace into views of it.
std::vector<std::string_view> SplitTokens(std::string_view text);

}  // namespace merin
