// SPDX-License-Identifier: MIT
#include "formats/textscan.h"

#include <algorithm>
#include <string>

#include "core/coretexts.h"
#include "core/escape.h"

namespace merin::formats::textscan {

std::string_view WithoutByteOrderMark(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  return text;
}

size_t LineEndFrom(std::string_view text, size_t at) {
  // The first LF, then a lone CR before it: two searches the library does many bytes at a time.
  const size_t lf = std::min(text.find('\n', at), text.size());
  for (size_t cr = text.substr(0, lf).find('\r', at); cr != std::string_view::npos;
       cr = text.substr(0, lf).find('\r', cr + 1)) {
    if (IsLineEnd(text, cr)) return cr;
  }
  return lf;
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
                const Text& fault, LineStart from) {
  Refusal error(fault, std::string(fileName));
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

Refusal WholeFileError(std::string_view fileName, const Text& fault) {
  return Refusal{fault, std::string(fileName)};
}

std::optional<Refusal> RefuseSizeOrBinary(std::string_view whole, std::string_view text,
                                          std::string_view fileName, size_t limit) {
  if (whole.size() > limit) {
    return Refusal(CoreText("file.too-large"), std::string(fileName),
                   {std::to_string(limit / 1024)});
  }
  if (const size_t nul = text.find('\0'); nul != std::string_view::npos) {
    return ErrorAt(text, nul, fileName, "", CoreText("file.binary"));
  }
  return std::nullopt;
}

}  // namespace merin::formats::textscan
