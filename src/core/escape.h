// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace merin {

// The length of the well-formed UTF-8 character at `at` of `text` (overlong forms, surrogates and
// code points above U+10FFFF refused), or 0 when the byte there starts none.
size_t Utf8CharLength(std::string_view text, size_t at);

// Whether the character of `length` bytes at `at` of `text` is a control character (C0, DEL, C1)
// or a bidirectional control (U+061C, U+200E, U+200F, U+202A..U+202E, U+2066..U+2069), which
// would turn the text shown after it around.
bool IsControlCharacter(std::string_view text, size_t at, size_t length);

// `text` as it may be shown on a terminal or in a window: the bytes of control characters (see
// IsControlCharacter) and bytes that are not UTF-8 become \xNN, the rest is kept. Used for every
// file name, argument, option and name a message shows.
std::string Escaped(std::string_view text);

}  // namespace merin
