// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/wavefile.h"

// The audio library behind the export and the sound device: libsndfile in the native build
// (sndfilecodec.cpp), the WAV reader and writer of core in the WebAssembly build (wavecodec.cpp),
// which reads and writes WAV alone.
namespace merin::formats {

// A sound file as the audio library reads it: samples from -1 to 1 at the file's own rate,
// interleaved by the file's channels.
struct FileSound {
  int rate = 0;
  int channels = 0;
  // The file's length in frames, read even when its samples were not.
  int64_t frames = 0;
  // The file ends before its sound does; the samples are what there is.
  bool cutShort = false;
  // The sound goes on past the most seconds asked for; the samples stop there.
  bool tooLong = false;
  std::vector<float> samples;
};

// The file at `path`, its samples too unless only its length is asked for, or why not, naming
// the file and giving the audio library's own words when it has any.
std::variant<FileSound, Refusal> ReadSoundOf(const std::string& path, bool lengthOnly = false);

// The sound of a file's `bytes`, up to `mostSeconds` of it, or why not (naming no file).
std::variant<FileSound, Refusal> DecodeSound(std::string_view bytes, int mostSeconds);

// The sound of the file at `path` as 16-bit samples, or why not, naming the file: a file cut
// short is refused, so that nothing made from it lacks a piece.
std::variant<PcmSound, Refusal> ReadSoundFile(const std::string& path);

// Whether a sound of `rate` and `channels` can be encoded as `extension` (lower case, no dot).
bool CanEncode(std::string_view extension, int rate, int channels);

// `parts` (all of `rate` and `channels`) one after another, encoded as `extension`; nothing
// when the library fails.
std::optional<std::string> Encode(std::span<const PcmSound* const> parts, int rate, int channels,
                                  std::string_view extension);

}  // namespace merin::formats
