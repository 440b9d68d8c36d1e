// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "formats/melody.h"

namespace merin::formats {

// One format the program reads or writes: a unit of its own (melodyfile.cpp, rtttl.cpp,
// imelody.cpp, midi.cpp, audioexport.cpp) listed once in the registry (format.cpp).
struct Format {
  std::string_view name;                     // as a message names it: "RTTTL"
  std::vector<std::string_view> extensions;  // lower case, without the dot; the first is written
  std::string_view mime;                     // its MIME type
  Text dialogName{};                         // the file dialog's name for it
  std::span<const Text> texts{};             // the rows of its own words
  // Whether its files are binary: the extension chooses the format then, and the reader takes
  // files up to kMaxBinaryBytes; text formats are told apart by content.
  bool binary = false;
  // The melody file: opened as the melody's own file rather than imported.
  bool ownFile = false;
  // Sound made of the program's wave files (written by audioexport, when libsndfile can).
  bool audio = false;
  // Whether `bytes` are in this format; unset when only the extension tells.
  bool (*recognise)(std::string_view bytes) = nullptr;
  // Reads `bytes`, refusals naming `file`; unset when the format is not read.
  std::variant<Imported, Refusal> (*read)(std::string_view bytes, std::string_view file,
                                          const ReadOptions& options) = nullptr;
  // The bytes of the melody in this format, named `title`; unset for audio and formats not
  // written.
  std::string (*write)(const Codes& codes, std::string_view title) = nullptr;
};

// Binary files are read up to this size.
inline constexpr size_t kMaxBinaryBytes = 4 * 1024 * 1024;

// Every format, the melody file first, then those the window exports in the order it offers
// them.
std::span<const Format> Formats();

// The format with `extension` (lower or upper case, without the dot), or none.
const Format* FormatOfExtension(std::string_view extension);

// The lower-case extension of `path`'s file name without its dot; empty when there is none.
std::string ExtensionOf(std::string_view path);

// Reads `bytes` named `file`: as the binary format its extension names, else as the format its
// content is in (binary formats tried first, then the text formats in the registry's order).
std::variant<Imported, Refusal> ReadAny(std::string_view bytes, std::string_view file,
                                        const ReadOptions& options = {});

// The format the bytes are read as, by the rule of ReadAny.
const Format& FormatToRead(std::string_view bytes, std::string_view file);

// The extensions the program writes, in the registry's order: mk98, rtttl, mid, wav ….
std::vector<std::string> WritableExtensions();

}  // namespace merin::formats
