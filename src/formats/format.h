// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "formats/imported.h"

namespace merin::formats {

// One format the program reads or writes: a unit of its own (melodyfile.cpp, imelody.cpp,
// fmf.cpp, rtttl.cpp, midi.cpp, audioexport.cpp) listed once in formatlist.cpp.
struct Format {
  std::string_view name;                     // as a message names it: "RTTTL"
  std::vector<std::string_view> extensions;  // lower case, without the dot; the first is written
  std::string_view mime;                     // its MIME type
  // The text its files start with, after a byte-order mark, for the desktop's file types; empty
  // when none tells.
  std::string_view magic{};
  Text dialogName{};              // the file dialog's name for it
  std::span<const Text> texts{};  // the rows of its own words
  // Whether its files are binary: the extension chooses the format then, and the reader takes
  // files up to kMaxBinaryBytes; text formats are told apart by content.
  bool binary = false;
  // The melody file: opened as the melody's own file rather than imported.
  bool ownFile = false;
  // Sound made of the program's wave files (written by audioexport, when libsndfile can).
  bool audio = false;
  // What one of its files offers to choose from: nothing (it holds one melody), the tunes of a
  // collection, or the parts of a MIDI file.
  enum class Offers { One, Tunes, Parts };
  Offers offers = Offers::One;
  // Whether `bytes` are in this format; unset when only the extension tells.
  bool (*recognise)(std::string_view bytes) = nullptr;
  // Reads `bytes`, refusals naming `file`; unset when the format is not read.
  std::variant<Imported, Refusal> (*read)(std::string_view bytes, std::string_view file,
                                          const ReadOptions& options) = nullptr;
  // The bytes of the melody in this format, named `title`; unset for audio and formats not
  // written.
  std::string (*write)(const SlotCodes& codes, std::string_view title) = nullptr;
  // The line that says how the writer changes the name `name`, when it must; unset when the
  // writer keeps every name as it is.
  std::optional<ReportLine> (*nameChange)(std::string_view name) = nullptr;
};

// Binary files are read up to this size.
inline constexpr size_t kMaxBinaryBytes = 4 * 1024 * 1024;

// The lower-case extension of `path`'s file name without its dot; empty when there is none.
std::string ExtensionOf(std::string_view path);

// `path`'s file name without its folders (after '/' or '\\') and without its extension.
std::string_view BaseNameOf(std::string_view path);

}  // namespace merin::formats
