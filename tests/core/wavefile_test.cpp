// SPDX-License-Identifier: MIT
#include "core/wavefile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace merin {
namespace {

using namespace std::string_literals;

constexpr std::string_view kNotASound = "sound.not-a-sound-file", kCut = "sound.cut";

std::string Little(uint32_t value, int size) {
  std::string bytes;
  for (int i = 0; i < size; ++i) bytes += char(value >> (8 * i) & 0xFF);
  return bytes;
}

// A chunk of a RIFF file; a body of odd length is padded, as the format asks.
std::string Chunk(const std::string& id, const std::string& body) {
  return id + Little(uint32_t(body.size()), 4) + body + (body.size() % 2 ? "\0"s : "");
}

std::string Riff(const std::string& chunks) {
  return "RIFF" + Little(uint32_t(4 + chunks.size()), 4) + "WAVE" + chunks;
}

std::string Fmt(uint16_t format, uint16_t channels, uint32_t rate, uint16_t bits,
                const std::string& extension = "") {
  const uint16_t frame = uint16_t(channels * bits / 8);
  return Chunk("fmt ", Little(format, 2) + Little(channels, 2) + Little(rate, 4) +
                           Little(rate * frame, 4) + Little(frame, 2) + Little(bits, 2) +
                           extension);
}

// The extensible format's extension: its size, valid bits, channel mask and subformat.
std::string Extensible(uint16_t subformat) {
  return Little(22, 2) + Little(16, 2) + Little(0, 4) + Little(subformat, 2) +
         "\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71"s;
}

std::string Data(const std::vector<int16_t>& samples) {
  std::string body;
  for (const int16_t s : samples) body += Little(uint16_t(s), 2);
  return Chunk("data", body);
}

const std::vector<int16_t> kSamples = {0, 1, -1, 32767, -32768, 1234};

TEST(ReadWave, ReadsSixteenBitPcmAndRefusesTheRest) {
  const std::string fmt = Fmt(1, 1, 44100, 16);
  struct Case {
    const char* what;
    std::string bytes;
    PcmSound sound;           // when read
    std::string_view reason;  // else the row that says why not
  } cases[] = {
      {"mono", Riff(fmt + Data(kSamples)), {44100, 1, kSamples}, ""},
      {"stereo after other chunks, one of odd length",
       Riff(Chunk("LIST", "abc") + Fmt(1, 2, 22050, 16) + Chunk("fact", "1234") + Data(kSamples)),
       {22050, 2, kSamples},
       ""},
      {"the extensible format of PCM",
       Riff(Fmt(0xFFFE, 1, 8000, 16, Extensible(1)) + Data(kSamples)),
       {8000, 1, kSamples},
       ""},
      {"not RIFF", "RIFX" + Riff(fmt + Data(kSamples)).substr(4), {}, kNotASound},
      {"8 bits", Riff(Fmt(1, 1, 44100, 8) + Data(kSamples)), {}, kNotASound},
      {"floating point", Riff(Fmt(3, 1, 44100, 32) + Data(kSamples)), {}, kNotASound},
      {"the extensible format of floating point",
       Riff(Fmt(0xFFFE, 1, 44100, 16, Extensible(3)) + Data(kSamples)),
       {},
       kNotASound},
      {"no channels", Riff(Fmt(1, 0, 44100, 16) + Data(kSamples)), {}, kNotASound},
      {"data before its format", Riff(Data(kSamples) + fmt), {}, kNotASound},
      {"a format chunk cut short", Riff(fmt.substr(0, 20)), {}, kNotASound},
      {"data cut short", Riff(fmt + "data" + Little(100, 4)), {}, kCut},
      {"a chunk longer than any file",
       Riff(fmt + "LIST" + Little(0xFFFFFFF8, 4) + Data(kSamples)),
       {},
       kCut},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto read = ReadWave(c.bytes);
    if (!c.reason.empty()) {
      ASSERT_TRUE(std::holds_alternative<Refusal>(read));
      EXPECT_EQ(std::get<Refusal>(read).fault->id, c.reason);
    } else {
      ASSERT_TRUE(std::holds_alternative<PcmSound>(read)) << std::get<Refusal>(read).fault->id;
      EXPECT_EQ(std::get<PcmSound>(read), c.sound);
    }
  }
}

TEST(WaveBytes, IsAPlainHeaderAndTheSamplesThatReadBack) {
  const PcmSound sounds[] = {
      {44100, 1, kSamples}, {22050, 2, kSamples}, {8000, 1, {}}, {48000, 3, {1, 2, 3, 4, 5, 6}}};
  for (const PcmSound& sound : sounds) {
    SCOPED_TRACE(std::to_string(sound.rate) + " Hz " + std::to_string(sound.channels) + "ch");
    const std::string bytes = WaveBytes(sound);
    EXPECT_EQ(bytes, Riff(Fmt(1, uint16_t(sound.channels), uint32_t(sound.rate), 16) +
                          Data(sound.samples)));
    const auto read = ReadWave(bytes);
    ASSERT_TRUE(std::holds_alternative<PcmSound>(read));
    EXPECT_EQ(std::get<PcmSound>(read), sound);
  }
}

}  // namespace
}  // namespace merin
