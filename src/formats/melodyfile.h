// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "formats/format.h"

namespace merin::formats {

// The first line of every melody file we write; a file starting with it is a melody file.
inline constexpr std::string_view kMelodyFileHeader = "# Merinkast98 melody";

// The start of the comment line after the header that holds the melody's title, when it has one.
inline constexpr std::string_view kTitlePrefix = "# title: ";

// Reads the bytes of a melody file (".mk98"): comment lines starting with '#', then up to 30
// white-space separated tokens (pitch names, "r", "-", or codes); a leading byte-order mark is
// skipped. `fileName` only names the file in the error.
std::variant<SlotCodes, Refusal> ReadMelodyFile(std::string_view bytes, std::string_view fileName);

// The melody file of `codes`: the header line, the title line when `title` is not empty, then the
// 30 tokens ten to a line, each but a line's last padded with spaces to four columns, LF line
// ends.
std::string WriteMelodyFile(const SlotCodes& codes, std::string_view title = {});

// The melody file's unit: recognised by its header, or by holding no ':' outside its comment
// lines (no token has one), since RTTTL cannot do without its "name:settings:notes".
Format MelodyFileFormat();

}  // namespace merin::formats
