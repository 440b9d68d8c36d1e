// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "formats/imported.h"

namespace merin::formats {

// A melody's title is UTF-8 text of at most this many characters, with no control characters
// and no bidirectional controls (it is stored and written again, so it holds no escapes either).
inline constexpr size_t kMaxTitleCharacters = 64;

// The title `bytes` name: read as UTF-8 when they are, else as Shift-JIS when they decode as
// such, else as Latin-1; control characters and bidirectional controls dropped (those but white
// space counted in `dropped` when given), outer white space trimmed, cut after
// kMaxTitleCharacters.
std::string TitleOf(std::string_view bytes, size_t* dropped = nullptr);

// Gives `melody` the title `bytes` name, as TitleOf reads it; the report then tells how many
// control characters were dropped, if any.
void TakeTitle(Imported& melody, std::string_view bytes);

// Tells in the report of `melody` that `dropped` control characters left its title, if any.
void SayTitleCleaned(Imported& melody, size_t dropped);

}  // namespace merin::formats
