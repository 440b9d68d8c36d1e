// SPDX-License-Identifier: MIT
#include "sound/decodedwave.h"
#include "core/refusal.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <fstream>
#include <tuple>

#include "support/tempfolder.h"
#include "support/tonefile.h"

namespace merin {
namespace {

using test::TempFolder;
using test::ToneSample;
using test::WriteTone;

std::string Why(const DecodedWave& wave) {
  return wave.ok() ? "" : Words(*wave.refusal, Language::English);
}

struct Format {
  const char* name;
  int subtype;
  double tolerance;  // quantisation plus linear interpolation of a 100 Hz tone
};
const Format kFormats[] = {
    {"u8", SF_FORMAT_PCM_U8, 0.02},    {"s16", SF_FORMAT_PCM_16, 0.002},
    {"s24", SF_FORMAT_PCM_24, 0.002},  {"s32", SF_FORMAT_PCM_32, 0.002},
    {"float", SF_FORMAT_FLOAT, 0.002},
};
const int kRates[] = {8000, 11025, 22050, 44100, 48000};

using Case = std::tuple<Format, int /*rate*/, int /*file channels*/, int /*stream channels*/>;

class DecodeWaveTest : public ::testing::TestWithParam<Case> {};

// A 100 Hz tone (negated on the right) comes out at 44100 Hz with the stream's channels: mono to
// both sides, stereo kept, stereo mixed to mono (the two sides cancel).
TEST_P(DecodeWaveTest, ConvertsToTheStreamFormat) {
  const auto [format, rate, fileChannels, channels] = GetParam();
  TempFolder dir;
  const std::string path = dir / "tone.wav";
  const double seconds = 0.2;  // a whole number of frames at every rate
  WriteTone(path, 100, seconds, rate, fileChannels, format.subtype);

  const DecodedWave wave = DecodeWave(path, channels, 44100);
  ASSERT_TRUE(wave.ok()) << Why(wave);
  EXPECT_EQ(wave.sourceRate, rate);
  EXPECT_EQ(wave.sourceFrames, std::lround(seconds * rate));
  EXPECT_NEAR(wave.seconds(), seconds, 1e-9);
  ASSERT_EQ(wave.samples.size(), size_t(std::lround(seconds * 44100)) * size_t(channels));

  double worst = 0;
  const size_t frames = wave.samples.size() / size_t(channels);
  for (size_t j = 0; j < frames; ++j) {
    const double at = double(j) * rate / 44100.0;
    if (at > double(wave.sourceFrames - 1)) break;  // past the file's last frame: nothing to match
    for (int c = 0; c < channels; ++c) {
      double want = ToneSample(100, at, rate, fileChannels == 1 ? 0 : c);
      if (fileChannels == 2 && channels == 1) want = 0;
      worst = std::max(worst, std::abs(wave.samples[j * size_t(channels) + size_t(c)] - want));
    }
  }
  EXPECT_LT(worst, format.tolerance);
}

std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
  const auto& [format, rate, fileChannels, channels] = info.param;
  return std::string(format.name) + "_" + std::to_string(rate) + "Hz_" +
         std::to_string(fileChannels) + "to" + std::to_string(channels);
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, DecodeWaveTest,
                         ::testing::Combine(::testing::ValuesIn(kFormats),
                                            ::testing::ValuesIn(kRates), ::testing::Values(1, 2),
                                            ::testing::Values(1, 2)),
                         CaseName);

TEST(DecodeWave, LengthOnlyReadsNoSamples) {
  TempFolder dir;
  WriteTone(dir / "t.wav", 440, 0.3, 22050);
  const DecodedWave wave = DecodeWave(dir / "t.wav", 0, 44100);
  ASSERT_TRUE(wave.ok()) << Why(wave);
  EXPECT_NEAR(wave.seconds(), 0.3, 1e-9);
  EXPECT_TRUE(wave.samples.empty());
}

TEST(DecodeWave, EmptyWaveIsReadAsSilenceOfNoLength) {
  TempFolder dir;
  WriteTone(dir / "empty.wav", 440, 0);
  const DecodedWave wave = DecodeWave(dir / "empty.wav", 2, 44100);
  EXPECT_TRUE(wave.ok()) << Why(wave);
  EXPECT_EQ(wave.seconds(), 0);
  EXPECT_TRUE(wave.samples.empty());
}

// Every file that is not a wave is an error with a reason, never a crash or a sound.
TEST(DecodeWave, UnreadableFilesAreErrors) {
  TempFolder dir;
  std::ofstream(dir / "garbage.wav") << "this is not a wave file at all, just text";
  std::ofstream(dir / "empty.wav");
  WriteTone(dir / "whole.wav", 440, 0.1);
  std::filesystem::resize_file(dir / "whole.wav", 20);  // the header cut short
  std::filesystem::create_directory(dir / "folder.wav");
  for (const char* name : {"missing.wav", "garbage.wav", "empty.wav", "whole.wav", "folder.wav"}) {
    const DecodedWave wave = DecodeWave(dir / name, 2, 44100);
    ASSERT_FALSE(wave.ok()) << name;
    EXPECT_EQ(wave.refusal->fault->id,
              std::string(name) == "folder.wav" ? "system.is-folder" : "sound.not-a-sound-file")
        << name;
    EXPECT_EQ(wave.refusal->file, dir / name);
    EXPECT_TRUE(wave.samples.empty()) << name;
    EXPECT_EQ(wave.seconds(), 0) << name;
  }
}

// A wave cut short plays what is there, and says so; a whole one says nothing.
TEST(DecodeWave, AFileCutShortIsPlayedWithAWarning) {
  TempFolder dir;
  WriteTone(dir / "whole.wav", 440, 0.1);
  WriteTone(dir / "half.wav", 440, 0.1);
  std::filesystem::resize_file(dir / "half.wav", std::filesystem::file_size(dir / "half.wav") / 2);
  const DecodedWave whole = DecodeWave(dir / "whole.wav", 1, 44100);
  const DecodedWave half = DecodeWave(dir / "half.wav", 1, 44100);
  EXPECT_TRUE(whole.ok() && !whole.cutShort);
  EXPECT_TRUE(half.ok() && half.cutShort) << Why(half);
  EXPECT_GT(half.samples.size(), 1000u);
  EXPECT_LT(half.samples.size(), whole.samples.size() * 3 / 5);
}

}  // namespace
}  // namespace merin
