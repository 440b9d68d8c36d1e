// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "core/wavefile.h"

// The audio library behind the export: libsndfile in the native build (sndfilecodec.cpp), the
// WAV reader and writer of core in the WebAssembly build (wavecodec.cpp), which writes WAV alone.
namespace merin::formats {

// The sound of the file at `path` as 16-bit samples, or why not, naming the file.
std::variant<PcmSound, Refusal> ReadSoundFile(const std::string& path);

// Whether a sound of `rate` and `channels` can be encoded as `extension` (lower case, no dot).
bool CanEncode(std::string_view extension, int rate, int channels);

// `parts` (all of `rate` and `channels`) one after another, encoded as `extension`; nothing
// when the library fails.
std::optional<std::string> Encode(std::span<const PcmSound* const> parts, int rate, int channels,
                                  std::string_view extension);

}  // namespace merin::formats
