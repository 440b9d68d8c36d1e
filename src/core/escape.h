// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace merin {

// The length of the well-formed UTF-8 character at `at` of `text` (overlong forms, surrogates and
// code points above U+10FFFF refused), or 0 when the byte there starts none.
size_t Utf8CharLength(std::string_view text, size_t at);

// `text` as it may be shown on a terminal or in a window: control characters (C0, DEL, C1) and
// bytes that are not UTF-8 become \xNN, the rest is kept. Used for every file name, argument,
// option and name a message shows.
std::string Escaped(std::string_view text);

}  // namespace merin
