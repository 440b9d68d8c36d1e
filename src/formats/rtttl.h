#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "formats/melody.h"

namespace merin::formats {

// Reads an RTTTL tune ("name:d=4,o=5,b=225:8e6,8d6,f#") into 30 slots: one slot per note or
// pause, fitted into C4..B5 by whole octaves; the report says what changed.
std::variant<Imported, ParseError> ReadRtttl(std::string_view bytes, std::string_view fileName);

// The RTTTL of `codes`: "NAME:d=4,o=5,b=214:" and one note per slot up to the last non-empty one,
// pauses as "p". `name` is cut to the RTTTL name rules (see RtttlNameOf).
std::string WriteRtttl(const Codes& codes, std::string_view name);

// The tune name for a file path: its base name without extension, only [A-Za-z0-9], at most 10.
std::string RtttlNameOf(std::string_view filePath);

}  // namespace merin::formats
