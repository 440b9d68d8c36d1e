// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace merin::formats {

// The 30 slot codes of a melody ("11".."72", "01" rest, "99" empty).
using Codes = std::array<std::string, 30>;

// Files and texts we read are refused above this size.
inline constexpr size_t kMaxInputBytes = 64 * 1024;

// Why a file or text was refused, and where: `line` and `column` are 1-based (0 when the fault is
// the file as a whole, such as its size), `token` the offending text when there is one.
struct ParseError {
  std::string file;
  size_t line = 0;
  size_t column = 0;
  std::string token;
  std::string reason;

  // One line for the user: "FILE:LINE:COLUMN: \"TOKEN\": REASON", parts left out when unknown.
  std::string Message() const;
};

// A melody read from a file or text, with what was changed on the way in (empty for a melody
// file; for RTTTL the notes dropped, the octave shift, the notes folded, the durations dropped).
struct Imported {
  Codes codes;
  std::vector<std::string> report;
  bool rtttl = false;  // read as an RTTTL tune rather than a melody file
};

}  // namespace merin::formats
