// SPDX-License-Identifier: MIT
#include "core/escape.h"

namespace merin {

size_t Utf8CharLength(std::string_view text, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned c = byte(at);
  if (c < 0x80) return 1;
  size_t length = 0;
  unsigned low = 0x80, high = 0xBF;  // the allowed range of the second byte
  if (c >= 0xC2 && c <= 0xDF) {
    length = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    length = 3;
    if (c == 0xE0) low = 0xA0;
    if (c == 0xED) high = 0x9F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    length = 4;
    if (c == 0xF0) low = 0x90;
    if (c == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  if (byte(at + 1) < low || byte(at + 1) > high) return 0;
  for (size_t k = 2; k < length; ++k) {
    if ((byte(at + k) & 0xC0) != 0x80) return 0;
  }
  return length;
}

std::string Escaped(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string shown;
  const auto hex = [&](unsigned char c) {
    shown += "\\x";
    shown += kHex[c >> 4];
    shown += kHex[c & 15];
  };
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const size_t length = Utf8CharLength(text, i);
    if (length == 0 || c < 0x20 || c == 0x7F) {
      hex(c);
      ++i;
    } else if (c == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0) {
      // U+0080..U+009F, the C1 controls.
      hex(c);
      hex(static_cast<unsigned char>(text[i + 1]));
      i += 2;
    } else {
      shown.append(text.substr(i, length));
      i += length;
    }
  }
  return shown;
}

}  // namespace merin
