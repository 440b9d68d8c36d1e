// SPDX-License-Identifier: MIT
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "formats/format.h"

// The list of formats, and what is found by it: each unit includes format.h, only the list's
// source includes the units.
namespace merin::formats {

// Every format, the melody file first, then those the window exports in the order it offers
// them.
std::span<const Format> Formats();

// The format with `extension` (lower or upper case, without the dot), or none.
const Format* FormatOfExtension(std::string_view extension);

// Reads `bytes` named `file`: as the binary format its extension names, else as the format its
// content is in (binary formats tried first, then the text formats in the registry's order).
std::variant<Imported, Refusal> ReadAny(std::string_view bytes, std::string_view file,
                                        const ReadOptions& options = {});

// The format the bytes are read as, by the rule of ReadAny.
const Format& FormatToRead(std::string_view bytes, std::string_view file);

// The extensions the program writes, in the registry's order: mk98, rtttl, mid, wav ….
std::vector<std::string> WritableExtensions();

}  // namespace merin::formats
