// SPDX-License-Identifier: MIT
#include "output/melodytext.h"

#include "core/errorwords.h"
#include "core/escape.h"

#include "core/notecode.h"
#include "core/pitch.h"

namespace merin {
namespace {

// ' ' and '\t', '\n', '\v', '\f', '\r', which are 9..13.
bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

std::string MelodyTextError::Message(Language language) const {
  const std::string where = language == Language::English
                                ? "token " + std::to_string(position)
                                : std::to_string(position) + " 番目のトークン";
  return where + " \"" + Escaped(token) + "\": " + ErrorWords(reason, language);
}

std::variant<SlotCodes, MelodyTextError> ParseMelodyText(
    const std::vector<std::string_view>& tokens) {
  // Filled in place and every way out returns it, so that the 30 codes are never moved.
  std::variant<SlotCodes, MelodyTextError> parsed;
  SlotCodes& codes = std::get<0>(parsed);
  for (size_t i = 0; i < codes.size(); ++i) {
    int why = kNotAToken;
    const std::optional<CodeChars> code = i < tokens.size()
                                              ? CodeCharsOfToken(tokens[i], &why)
                                              : CodeChars{kEmptyCode[0], kEmptyCode[1]};
    if (!code) {
      parsed = MelodyTextError{i + 1, std::string(tokens[i]), why};
      return parsed;
    }
    codes[i] = {(*code)[0], (*code)[1]};
  }
  if (tokens.size() > codes.size())
    parsed = MelodyTextError{31, std::string(tokens[30]), kTooManySlots};
  return parsed;
}

std::vector<std::string_view> SplitTokens(std::string_view text) {
  std::vector<std::string_view> tokens;
  tokens.reserve(31);
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
