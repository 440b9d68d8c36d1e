// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace merin::formats {

// A melody's title is UTF-8 text of at most this many characters, with no control characters.
inline constexpr size_t kMaxTitleCharacters = 64;

// The title `bytes` name: read as UTF-8 when they are, else as Shift-JIS when they decode as
// such, else as Latin-1; control characters dropped, outer white space trimmed, cut after
// kMaxTitleCharacters.
std::string TitleOf(std::string_view bytes);

}  // namespace merin::formats
