// SPDX-License-Identifier: MIT
#include "core/escape.h"

#include <algorithm>

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

bool IsControlCharacter(std::string_view text, size_t at, size_t length) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[at + k]); };
  switch (length) {
    case 1:
      return byte(0) < 0x20 || byte(0) == 0x7F;
    case 2:
      return (byte(0) == 0xC2 && byte(1) < 0xA0) || (byte(0) == 0xD8 && byte(1) == 0x9C);
    case 3:
      if (byte(0) != 0xE2) return false;
      if (byte(1) == 0x80)
        return byte(2) == 0x8E || byte(2) == 0x8F || (byte(2) >= 0xAA && byte(2) <= 0xAE);
      return byte(1) == 0x81 && byte(2) >= 0xA6 && byte(2) <= 0xA9;
    default:
      return false;
  }
}

std::string Escaped(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string shown;
  shown.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const size_t length = Utf8CharLength(text, i);
    if (length != 0 && !IsControlCharacter(text, i, length)) {
      shown.append(text.substr(i, length));
      i += length;
      continue;
    }
    for (size_t k = 0; k < std::max<size_t>(length, 1); ++k, ++i) {
      const auto c = static_cast<unsigned char>(text[i]);
      shown += "\\x";
      shown += kHex[c >> 4];
      shown += kHex[c & 15];
    }
  }
  return shown;
}

}  // namespace merin
