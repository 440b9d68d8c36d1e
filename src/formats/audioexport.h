// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "formats/fileio.h"
#include "formats/melody.h"

namespace merin::formats {

// The audio extensions the installed libsndfile can write, of "wav", "flac", "ogg", "mp3".
std::vector<std::string> WritableAudioExtensions();

// Writes what test play sounds up to the last non-empty slot: each slot's wave file from
// `programFolder` (ending in a separator) one after another, rests and empty slots as the rest
// wave, in the format of `target`'s extension: encoded in memory, then written atomically
// (WriteFileAtomically, `syncFolder` as there). Returns why not (naming the sound file that
// cannot be read, or the target); no partial file is left.
std::optional<Refusal> ExportAudio(const Codes& codes, const std::string& programFolder,
                                   const std::string& target, bool syncFolder = true);

}  // namespace merin::formats
