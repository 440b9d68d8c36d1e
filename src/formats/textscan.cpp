// SPDX-License-Identifier: MIT
#include "formats/textscan.h"

#include <string>

#include "core/escape.h"

namespace merin::formats::textscan {

std::string_view WithoutByteOrderMark(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  return text;
}

size_t LineEndFrom(std::string_view text, size_t at) {
  while (at < text.size() && !IsLineEnd(text, at)) ++at;
  return at;
}

std::optional<size_t> FirstInvalidUtf8(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    const size_t length = Utf8CharLength(text, i);
    if (length == 0) return i;
    i += length;
  }
  return std::nullopt;
}

Refusal ErrorAt(std::string_view text, size_t offset, std::string_view fileName, std::string token,
                Fault fault, LineStart from) {
  Refusal error;
  error.fault = fault;
  error.file = std::string(fileName);
  error.line = from.line;
  error.column = 1;
  for (size_t i = from.offset; i < offset && i < text.size(); ++i) {
    if (IsLineEnd(text, i)) {
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
