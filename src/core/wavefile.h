// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/refusal.h"

namespace merin {

// A sound of 16-bit samples, the channels of a frame one after another.
struct PcmSound {
  int rate = 0;
  int channels = 0;
  std::vector<int16_t> samples;
  friend bool operator==(const PcmSound&, const PcmSound&) = default;
};

// The sound of a 16-bit PCM WAV file's bytes (a "fmt " chunk of PCM or of the extensible format
// with a PCM subformat, then a "data" chunk; other chunks are skipped), or why not: the data runs
// past the end ("sound.cut"), or the bytes are no such sound ("sound.not-a-sound-file"). The
// refusal names no file.
std::variant<PcmSound, Refusal> ReadWave(std::string_view bytes);

// The bytes of a plain 16-bit PCM WAV file of `sound`: a header of 44 bytes and the samples.
std::string WaveBytes(const PcmSound& sound);

}  // namespace merin
