// SPDX-License-Identifier: MIT
#include "formats/melodytext.h"

#include "core/ascii.h"
#include "core/coretexts.h"
#include "core/notecode.h"
#include "core/pitch.h"

namespace merin {
namespace {

// Token `number` (1-based) refused for `why`.
Refusal TokenRefusal(size_t number, std::string_view token, const Text& why) {
  Refusal refusal(why);
  refusal.tokenNumber = number;
  refusal.token = std::string(token);
  return refusal;
}

}  // namespace

std::variant<SlotCodes, Refusal> ParseMelodyText(const std::vector<std::string_view>& tokens) {
  // Filled in place and every way out returns it, so that the 30 codes are never moved.
  std::variant<SlotCodes, Refusal> parsed;
  SlotCodes& codes = std::get<0>(parsed);
  for (size_t i = 0; i < codes.size(); ++i) {
    const std::optional<CodeChars> code =
        i < tokens.size() ? CodeCharsOfToken(tokens[i]) : CodeChars{kEmptyCode[0], kEmptyCode[1]};
    if (!code) {
      parsed = TokenRefusal(i + 1, tokens[i], TokenFault(tokens[i]));
      return parsed;
    }
    codes[i] = {(*code)[0], (*code)[1]};
  }
  if (tokens.size() > codes.size()) {
    parsed = TokenRefusal(codes.size() + 1, tokens[codes.size()], CoreText("token.too-many"));
  }
  return parsed;
}

std::vector<std::string_view> SplitTokens(std::string_view text) {
  std::vector<std::string_view> tokens;
  tokens.reserve(kSlotCount + 1);
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsSpace(text[i])) ++i;
    const size_t start = i;
    while (i < text.size() && !IsSpace(text[i])) ++i;
    if (i > start) tokens.push_back(text.substr(start, i - start));
  }
  return tokens;
}

}  // namespace merin
