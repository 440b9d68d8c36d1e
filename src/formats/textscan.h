// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "core/ascii.h"
#include "formats/imported.h"

// Helpers the readers share; not part of the library's interface.
namespace merin::formats::textscan {

// The text without a leading UTF-8 byte-order mark.
std::string_view WithoutByteOrderMark(std::string_view text);

using merin::IsSpace;

// Whether a line ends at byte `i` of `text`: an LF, or a CR not followed by an LF.
inline bool IsLineEnd(std::string_view text, size_t i) {
  return text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'));
}

// The offset of the line end at or after byte `at` (see IsLineEnd), or the text's size.
size_t LineEndFrom(std::string_view text, size_t at);

// A line start of a text: its byte offset and its 1-based number.
struct LineStart {
  size_t offset = 0;
  size_t line = 1;
};

// The offset of the first byte that is not part of well-formed UTF-8 (overlong forms, surrogates
// and code points above U+10FFFF included), or none.
std::optional<size_t> FirstInvalidUtf8(std::string_view text);

// An error at byte `offset` of `text`: its 1-based line, and its column counted in characters,
// both counted from `from`, a line start at or before `offset`; the cost is the distance between.
Refusal ErrorAt(std::string_view text, size_t offset, std::string_view fileName, std::string token,
                const Text& fault, LineStart from = {});

// An error about the whole text (its size, for instance).
Refusal WholeFileError(std::string_view fileName, const Text& fault);

// The refusals every reader makes before looking at the content: larger than `limit`, or binary
// (a NUL byte). `text` is what follows the byte-order mark.
std::optional<Refusal> RefuseSizeOrBinary(std::string_view whole, std::string_view text,
                                          std::string_view fileName, size_t limit = kMaxInputBytes);

}  // namespace merin::formats::textscan
