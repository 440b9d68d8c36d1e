// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "formats/fileio.h"
#include "formats/melody.h"

namespace merin::formats {

// The lower-case extension of `path`'s file name without its dot (the format it is written in);
// empty when there is none.
std::string ExtensionOf(std::string_view path);

// Whether `format` (a file extension without its dot: mk98, rtttl, mid, wav, flac, ogg, mp3) is a
// sound format, made of the program's wave files.
bool IsAudioFormat(std::string_view format);

// Why a melody cannot be written as `format` here (an unknown format, or an audio format the
// installed libsndfile does not write), or nothing when it can.
std::optional<std::string> CannotWriteAs(std::string_view format);

// Writes `codes` to `target` as `format`, atomically: the melody file, RTTTL (named after the
// target), MIDI, or what test play sounds from the wave files of `programFolder`; an empty
// melody only as a melody file. Returns why not, the old target left as it was. `syncFolder` as
// for WriteFileAtomically.
std::optional<WriteFailure> WriteMelodyAs(const Codes& codes, std::string_view format,
                                          const std::string& programFolder,
                                          const std::string& target, bool syncFolder = true);

}  // namespace merin::formats
