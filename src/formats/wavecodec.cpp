// SPDX-License-Identifier: MIT
#include <variant>

#include "core/coretexts.h"
#include "formats/audiocodec.h"
#include "formats/fileio.h"
#include "formats/format.h"

namespace merin::formats {

std::variant<PcmSound, Refusal> ReadSoundFile(const std::string& path) {
  auto bytes = ReadInputFile(path, Accept::Files, kMaxBinaryBytes);
  if (!std::holds_alternative<std::string>(bytes)) {
    return Refusal(CoreText("sound.not-a-sound-file"), path);
  }
  auto sound = ReadWave(std::get<std::string>(bytes));
  if (auto* refusal = std::get_if<Refusal>(&sound)) refusal->file = path;
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
