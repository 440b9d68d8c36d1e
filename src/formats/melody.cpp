// SPDX-License-Identifier: MIT
#include "formats/melody.h"

namespace merin::formats {
namespace {

// Tokens longer than this are shown cut, so that a message stays one readable line.
constexpr size_t kShownTokenBytes = 40;

// The token as it can be shown: control characters, quotes and backslashes escaped, cut after
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
    if (c == '"' || c == '\\') {
      shown += '\\';
      shown += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F) {
      static constexpr char kHex[] = "0123456789abcdef";
      shown += "\\x";
      shown += kHex[c >> 4];
      shown += kHex[c & 15];
    } else {
      shown += static_cast<char>(c);
    }
  }
  if (cut) shown += "...";
  return shown;
}

}  // namespace

std::string ParseError::Message() const {
  std::string message;
  if (!file.empty()) message += file + ":";
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
