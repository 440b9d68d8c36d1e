// SPDX-License-Identifier: MIT
#include "formats/textscan.h"

#include <string>

namespace merin::formats::textscan {

std::string_view WithoutByteOrderMark(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  return text;
}

std::optional<size_t> FirstInvalidUtf8(std::string_view text) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const size_t size = text.size();
  size_t i = 0;
  while (i < size) {
    const unsigned c = bytes[i];
    if (c < 0x80) {
      ++i;
      continue;
    }
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
      return i;
    }
    if (i + length > size) return i;
    if (bytes[i + 1] < low || bytes[i + 1] > high) return i;
    for (size_t k = 2; k < length; ++k) {
      if ((bytes[i + k] & 0xC0) != 0x80) return i;
    }
    i += length;
  }
  return std::nullopt;
}

Refusal ErrorAt(std::string_view text, size_t offset, std::string_view fileName, std::string token,
                Fault fault) {
  Refusal error;
  error.fault = fault;
  error.file = std::string(fileName);
  error.line = 1;
  error.column = 1;
  for (size_t i = 0; i < offset && i < text.size(); ++i) {
    if (text[i] == '\n') {
      ++error.line;
      error.column = 1;
    } else if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
      ++error.column;
    }
  }
  error.token = std::move(token);
  return error;
}

Refusal WholeFileError(std::string_view fileName, Fault fault) {
  return Refusal{fault, std::string(fileName)};
}

std::optional<Refusal> RefuseSizeOrBinary(std::string_view whole, std::string_view text,
                                          std::string_view fileName, size_t limit) {
  if (whole.size() > limit) {
    Refusal refusal = WholeFileError(fileName, Fault::TooLarge);
    refusal.values = {static_cast<int64_t>(limit / 1024)};
    return refusal;
  }
  if (const size_t nul = text.find('\0'); nul != std::string_view::npos) {
    return ErrorAt(text, nul, fileName, "", Fault::Binary);
  }
  return std::nullopt;
}

}  // namespace merin::formats::textscan
