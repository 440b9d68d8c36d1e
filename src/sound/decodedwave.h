// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/refusal.h"

namespace merin {

// A wave file read and converted to the output stream's format: interleaved float samples.
struct DecodedWave {
  // Why the file could not be read, with the audio library's own words when it gave any; none
  // when it was read.
  std::optional<Refusal> refusal;
  // The file ends before its sound does; what there is was read all the same.
  bool cutShort = false;
  // The file's own length and rate, which give the sound's duration.
  int64_t sourceFrames = 0;
  int sourceRate = 0;
  // `channels` interleaved samples per frame at the requested rate.
  std::vector<float> samples;

  // Whether the file could be read.
  bool ok() const { return !refusal; }
  // The sound's length in seconds, as the file states it.
  double seconds() const { return sourceRate > 0 ? double(sourceFrames) / sourceRate : 0.0; }
};

// Reads any wave file libsndfile knows and converts it to `channels` channels at `rate` frames
// per second: mono is copied to every channel, more channels are mixed down (averaged) to mono
// or taken pairwise to stereo, and a different rate is resampled linearly. With `channels` 0
// only the length is read.
DecodedWave DecodeWave(const std::string& path, int channels, int rate);

}  // namespace merin
