// SPDX-License-Identifier: MIT
#include "core/wavefile.h"

#include "core/coretexts.h"

namespace merin {
namespace {

constexpr uint16_t kPcm = 1;
constexpr uint16_t kExtensible = 0xFFFE;

uint32_t Little(std::string_view bytes, size_t at, size_t size) {
  uint32_t value = 0;
  for (size_t i = size; i-- > 0;) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

void PutLittle(std::string& bytes, uint32_t value, size_t size) {
  for (size_t i = 0; i < size; ++i) bytes += static_cast<char>(value >> (8 * i) & 0xFF);
}

}  // namespace

std::variant<PcmSound, Refusal> ReadWave(std::string_view bytes) {
  const Refusal notASound(CoreText("sound.not-a-sound-file"));
  if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE") {
    return notASound;
  }
  PcmSound sound;
  for (size_t at = 12; at + 8 <= bytes.size();) {
    const std::string_view id = bytes.substr(at, 4);
    const size_t size = Little(bytes, at + 4, 4);
    const size_t body = at + 8;
    if (size > bytes.size() - body) break;  // the chunk runs past the end
    if (id == "fmt ") {
      if (size < 16) return notASound;
      const uint32_t format = Little(bytes, body, 2);
      const bool pcm = format == kPcm ||
                       (format == kExtensible && size >= 26 && Little(bytes, body + 24, 2) == kPcm);
      sound.channels = static_cast<int>(Little(bytes, body + 2, 2));
      sound.rate = static_cast<int>(Little(bytes, body + 4, 4));
      if (!pcm || Little(bytes, body + 14, 2) != 16 || sound.channels == 0 || sound.rate <= 0 ||
          Little(bytes, body + 12, 2) != 2u * static_cast<uint32_t>(sound.channels)) {
        return notASound;
      }
    } else if (id == "data") {
      if (sound.channels == 0) return notASound;
      const size_t frameBytes = 2 * static_cast<size_t>(sound.channels);
      sound.samples.resize(size / frameBytes * static_cast<size_t>(sound.channels));
      for (size_t i = 0; i < sound.samples.size(); ++i) {
        sound.samples[i] = static_cast<int16_t>(Little(bytes, body + 2 * i, 2));
      }
      return sound;
    }
    at = body + size + size % 2;  // chunks are padded to an even length
  }
  if (sound.channels == 0) return notASound;
  return Refusal(CoreText("sound.cut"));
}

std::string WaveBytes(const PcmSound& sound) {
  const auto channels = static_cast<uint32_t>(sound.channels);
  const auto data = static_cast<uint32_t>(2 * sound.samples.size());
  std::string bytes = "RIFF";
  bytes.reserve(44 + data);
  PutLittle(bytes, 36 + data, 4);
  bytes += "WAVEfmt ";
  PutLittle(bytes, 16, 4);
  PutLittle(bytes, kPcm, 2);
  PutLittle(bytes, channels, 2);
  PutLittle(bytes, static_cast<uint32_t>(sound.rate), 4);
  PutLittle(bytes, static_cast<uint32_t>(sound.rate) * 2 * channels, 4);  // bytes a second
  PutLittle(bytes, 2 * channels, 2);                                      // bytes a frame
  PutLittle(bytes, 16, 2);                                                // bits a sample
  bytes += "data";
  PutLittle(bytes, data, 4);
  for (const int16_t sample : sound.samples) PutLittle(bytes, static_cast<uint16_t>(sample), 2);
  return bytes;
}

}  // namespace merin
