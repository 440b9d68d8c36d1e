// SPDX-License-Identifier: MIT
#include "output/melodytext.h"

#include "core/notecode.h"
#include "core/pitch.h"

namespace merin {
namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace

std::string MelodyTextError::Message() const {
  return "token " + std::to_string(position) + " \"" + token + "\": " + reason;
}

std::variant<SlotCodes, MelodyTextError> ParseMelodyText(const std::vector<std::string>& tokens) {
  SlotCodes codes;
  codes.fill(std::string(kEmptyCode));
  for (size_t i = 0; i < tokens.size(); ++i) {
    if (i >= codes.size())
      return MelodyTextError{i + 1, tokens[i], "a melody has at most 30 slots"};
    std::string why;
    std::optional<std::string> code = CodeOfToken(tokens[i], &why);
    if (!code) return MelodyTextError{i + 1, tokens[i], why};
    codes[i] = std::move(*code);
  }
  return codes;
}

std::vector<std::string> SplitTokens(std::string_view text) {
  std::vector<std::string> tokens;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsSpace(text[i])) ++i;
    const size_t start = i;
    while (i < text.size() && !IsSpace(text[i])) ++i;
    if (i > start) tokens.emplace_back(text.substr(start, i - start));
  }
  return tokens;
}

}  // namespace merin
