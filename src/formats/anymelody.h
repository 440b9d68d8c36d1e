// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>
#include <variant>

#include "formats/melody.h"

namespace merin::formats {

// Reads a melody file or an RTTTL tune, told apart by content: what the window's 開く, a drop and
// the command line's -i and standard input read. A text is a melody file when it starts with the
// header line (after a byte-order mark), or when none of its lines but comment lines holds a ':';
// any other text is read as RTTTL. The report is empty for a melody file.
std::variant<Imported, ParseError> ReadAnyMelody(std::string_view bytes, std::string_view fileName);

}  // namespace merin::formats
