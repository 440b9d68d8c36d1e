// SPDX-License-Identifier: MIT
#include <algorithm>
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
  auto wave = ReadWave(std::get<std::string>(bytes));
  if (auto* refusal = std::get_if<Refusal>(&wave)) {
    refusal->file = path;
    return std::move(*refusal);
  }
  const PcmSound& pcm = std::get<PcmSound>(wave);
  FileSound sound{
      pcm.rate, pcm.channels, int64_t(pcm.samples.size()) / std::max(pcm.channels, 1), false, {}};
  if (!lengthOnly) {
    sound.samples.reserve(pcm.samples.size());
    for (const int16_t sample : pcm.samples) sound.samples.push_back(float(sample) / 32768.0f);
  }
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
