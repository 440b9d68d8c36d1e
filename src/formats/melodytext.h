// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/melodyedit.h"
#include "core/refusal.h"

namespace merin {

// A melody written as text, one token per slot: a note code ("11".."72", "01", "99") or a pitch
// name ("C4".."B5", "C#4" for a sharp, "r" for a rest, "-" for an empty slot).
// Up to 30 tokens to the 30 slot codes; missing slots are empty ("99"). Refused, naming the
// first token that gives no code (by its number: tokenNumber) or a 31st.
std::variant<SlotCodes, Refusal> ParseMelodyText(const std::vector<std::string_view>& tokens);

// Splits text at whitespace into views of it.
std::vector<std::string_view> SplitTokens(std::string_view text);

}  // namespace merin
