// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "formats/melody.h"

namespace merin::formats {

// Reads an RTTTL tune ("name:d=4,o=5,b=225:8e6,8d6,f#") into 30 slots: one slot per note or
// pause (a rest), the first 30 kept, fitted into C4..B5 by whole octaves; octaves are scientific
// (a4 = 440 Hz), "h" is "b", "e#" and "b#" are "f" and the next "c". The report says, in this
// order, how many notes and pauses were dropped, the octave shift, how many notes were folded
// into the range one by one, and that durations were dropped when the kept slots had more than
// one (a dot makes another duration). Every note is checked, dropped ones too.
std::variant<Imported, ParseError> ReadRtttl(std::string_view bytes, std::string_view fileName);

// The RTTTL of `codes`: "NAME:d=4,o=5,b=214:" and one note per slot up to the last non-empty one,
// pauses as "p". `name` is cut to the RTTTL name rules (see RtttlNameOf); "melody" when nothing
// of it is left.
std::string WriteRtttl(const Codes& codes, std::string_view name);

// The tune name for a file path: its base name without extension, only [A-Za-z0-9], at most 10.
std::string RtttlNameOf(std::string_view filePath);

}  // namespace merin::formats
