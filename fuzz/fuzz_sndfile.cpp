// SPDX-License-Identifier: MIT
// Fuzzes the desktop's decoding of a sound file's bytes from memory through libsndfile (WAV,
// FLAC, Ogg, MP3 and the rest it reads): a sound decoded has a rate, channels and whole frames,
// and stops at the most seconds asked for; a refusal says why.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "formats/audiocodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  auto decoded = merin::formats::DecodeSound(bytes, 2);
  if (const auto* refusal = std::get_if<merin::Refusal>(&decoded)) {
    if (merin::Reason(*refusal, merin::Language::English).empty()) std::abort();
    return 0;
  }
  const auto& sound = std::get<merin::formats::FileSound>(decoded);
  if (sound.rate <= 0 || sound.channels <= 0) std::abort();
  if (sound.samples.size() != size_t(sound.frames) * size_t(sound.channels)) std::abort();
  if (sound.frames > int64_t{2} * sound.rate) std::abort();
  return 0;
}
