#include "output/melodytext.h"

#include <algorithm>

#include "core/notecode.h"

namespace merin {
namespace {

// Handset key of each note letter, C to B.
std::optional<char> KeyOfLetter(char letter) {
  static constexpr std::string_view kLetters = "CDEFGAB";
  const char upper = (letter >= 'a' && letter <= 'z') ? static_cast<char>(letter - 'a' + 'A') : letter;
  const size_t i = kLetters.find(upper);
  if (i == std::string_view::npos) return std::nullopt;
  return static_cast<char>('1' + i);
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

}  // namespace

std::string MelodyTextError::Message() const {
  return "token " + std::to_string(position) + " \"" + token + "\": " + reason;
}

std::optional<std::string> CodeOfToken(std::string_view token, std::string* why) {
  auto error = [why](const char* reason) -> std::optional<std::string> {
    if (why) *why = reason;
    return std::nullopt;
  };
  if (token == kRestCode || token == kEmptyCode ||
      std::find(kNoteCodes.begin(), kNoteCodes.end(), token) != kNoteCodes.end()) {
    return std::string(token);
  }
  if (token == "r" || token == "R") return std::string(kRestCode);
  if (token == "-") return std::string(kEmptyCode);

  const bool sharp = token.size() == 3 && token[1] == '#';
  const std::optional<char> key = token.empty() ? std::nullopt : KeyOfLetter(token[0]);
  if (!key || token.size() != (sharp ? 3u : 2u) || token.back() < '0' || token.back() > '9') {
    return error("not a note code (11..72, 01, 99) or a pitch name (C4..B5, C#4, r, -)");
  }
  const bool hasSharp = *key != '3' && *key != '7';  // E and B have none
  if (sharp && !hasSharp) return error("E and B have no sharp");
  const int octave = token.back() - '0';
  if (octave != 4 && octave != 5) return error("outside the handset's range C4..B5");
  int presses = 1 + (sharp ? 1 : 0);
  if (octave == 5) presses += hasSharp ? 2 : 1;
  return std::string{*key, static_cast<char>('0' + presses)};
}

std::variant<std::array<std::string, 30>, MelodyTextError> ParseMelodyText(
    const std::vector<std::string>& tokens) {
  std::array<std::string, 30> codes;
  codes.fill(std::string(kEmptyCode));
  for (size_t i = 0; i < tokens.size(); ++i) {
    if (i >= codes.size()) return MelodyTextError{i + 1, tokens[i], "a melody has at most 30 slots"};
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
