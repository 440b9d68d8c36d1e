// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "formats/format.h"

namespace merin::formats {

// Reads an RTTTL tune ("name:d=4,o=5,b=225:8e6,8d6,f#") into 30 slots: one slot per note or
// pause (a rest), 30 kept from `options.from` on, fitted into C4..B5 as Fit does; octaves are
// scientific (a4 = 440 Hz), "h" is "b", "e#" and "b#" are "f" and the next "c". The report says, in
// this order, what Fit tells, and that durations were dropped when the kept slots had more than one
// (a dot makes another duration). Every note is checked, dropped ones too.
std::variant<Imported, Refusal> ReadRtttl(std::string_view bytes, std::string_view fileName,
                                          const ReadOptions& options = {});

// The RTTTL of `codes`: "NAME:d=4,o=5,b=214:" and one note per slot up to the last non-empty one,
// pauses as "p". `name` is cut to the RTTTL name rules (see RtttlNameOf); "melody" when nothing
// of it is left.
std::string WriteRtttl(const Codes& codes, std::string_view name);

// The tune name for a file path: its base name without extension, only [A-Za-z0-9], at most 10.
std::string RtttlNameOf(std::string_view filePath);

// The RTTTL unit: any text that no other text format recognises is read as RTTTL.
Format RtttlFormat();

}  // namespace merin::formats
