// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "formats/fileio.h"
#include "formats/format.h"
#include "formats/imported.h"

namespace merin::formats {

// The audio formats, written from the program's wave files: WAV, FLAC, Ogg Vorbis and MP3 (each
// where this build writes it; see WritableAudioExtensions).
std::vector<Format> AudioFormats();

// The audio extensions this build writes, of "wav", "flac", "ogg", "mp3": those the installed
// libsndfile writes, and "wav" alone in the WebAssembly build.
std::vector<std::string> WritableAudioExtensions();

// What test play sounds up to the last non-empty slot: each slot's wave file from
// `programFolder` (ending in a separator) one after another, rests and empty slots as the rest
// wave, encoded in the format of `target`'s extension. Returns why not, naming the sound file
// that cannot be read, or the target.
std::variant<std::string, Refusal> AudioBytes(const SlotCodes& codes,
                                              const std::string& programFolder,
                                              const std::string& target);

// Writes the AudioBytes of `codes` to `target` atomically (WriteFileAtomically, `syncFolder` as
// there). Returns why not; no partial file is left.
std::optional<Refusal> ExportAudio(const SlotCodes& codes, const std::string& programFolder,
                                   const std::string& target, bool syncFolder = true);

}  // namespace merin::formats
