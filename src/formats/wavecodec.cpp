// SPDX-License-Identifier: MIT
#include <algorithm>
#include <limits>
#include <variant>

#include "core/coretexts.h"
#include "formats/audiocodec.h"
#include "formats/fileio.h"
#include "formats/format.h"

namespace merin::formats {

std::variant<FileSound, Refusal> ReadSoundOf(const std::string& path, bool lengthOnly) {
  auto bytes = ReadInputFile(path, Accept::Files, kMaxBinaryBytes);
  if (!std::holds_alternative<std::string>(bytes)) {
    return Refusal(CoreText("sound.not-a-sound-file"), path);
  }
  auto sound = DecodeSound(std::get<std::string>(bytes), std::numeric_limits<int>::max());
  if (auto* refusal = std::get_if<Refusal>(&sound)) {
    refusal->file = path;
  } else if (lengthOnly) {
    std::get<FileSound>(sound).samples.clear();
  }
  return sound;
}

std::variant<FileSound, Refusal> DecodeSound(std::string_view bytes, int mostSeconds) {
  auto wave = ReadWave(bytes);
  if (auto* refusal = std::get_if<Refusal>(&wave)) return std::move(*refusal);
  const PcmSound& pcm = std::get<PcmSound>(wave);
  const auto channels = static_cast<size_t>(std::max(pcm.channels, 1));
  FileSound sound{pcm.rate, pcm.channels, int64_t(pcm.samples.size() / channels), false, false, {}};
  const uint64_t most = uint64_t(std::max(mostSeconds, 0)) * uint64_t(pcm.rate) * channels;
  sound.tooLong = pcm.samples.size() > most;
  const auto kept = static_cast<size_t>(std::min(uint64_t{pcm.samples.size()}, most));
  sound.frames = int64_t(kept / channels);
  sound.samples.reserve(kept);
  for (size_t i = 0; i < kept; ++i) sound.samples.push_back(float(pcm.samples[i]) / 32768.0f);
  return sound;
}

bool CanEncode(std::string_view extension, int rate, int channels) {
  return extension == "wav" && rate > 0 && channels > 0;
}

std::optional<std::string> Encode(std::span<const PcmSound* const> parts, int rate, int channels,
                                  std::string_view extension) {
  if (!CanEncode(extension, rate, channels)) return std::nullopt;
  PcmSound sound{rate, channels, {}};
  for (const PcmSound* part : parts) {
    sound.samples.insert(sound.samples.end(), part->samples.begin(), part->samples.end());
  }
  return WaveBytes(sound);
}

}  // namespace merin::formats
