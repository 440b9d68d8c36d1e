// SPDX-License-Identifier: MIT
#include "formats/melody.h"

#include "core/escape.h"

namespace merin::formats {
namespace {

// Tokens longer than this are shown cut, so that a message stays one readable line.
constexpr size_t kShownTokenBytes = 40;

// The token as it can be shown: quotes and backslashes escaped, then as Escaped, cut after
// kShownTokenBytes at a character boundary.
std::string Shown(const std::string& token) {
  std::string shown;
  size_t end = token.size();
  bool cut = false;
  if (end > kShownTokenBytes) {
    end = kShownTokenBytes;
    while (end > 0 && (static_cast<unsigned char>(token[end]) & 0xC0) == 0x80) --end;
    cut = true;
  }
  for (size_t i = 0; i < end; ++i) {
    const auto c = static_cast<unsigned char>(token[i]);
    if (c == '"' || c == '\\') shown += '\\';
    shown += static_cast<char>(c);
  }
  shown = Escaped(shown);
  if (cut) shown += "...";
  return shown;
}

}  // namespace

std::string ParseError::Message() const {
  std::string message;
  if (!file.empty()) message += Escaped(file) + ":";
  if (line > 0) {
    message += std::to_string(line) + ":";
    if (column > 0) message += std::to_string(column) + ":";
  }
  if (!message.empty()) message += " ";
  if (!token.empty()) {
    message += '"';
    message += Shown(token);
    message += "\": ";
  }
  message += reason;
  return message;
}

}  // namespace merin::formats
