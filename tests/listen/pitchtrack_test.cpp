// SPDX-License-Identifier: MIT
#include "listen/pitchtrack.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "support/takes.h"

namespace merin::listen {
namespace {

using test::Performance;
using Voice = Performance::Voice;

// The median pitch of the pitched frames of the middle of a take.
double MiddlePitch(const std::vector<Frame>& frames, double from, double to) {
  std::vector<double> pitches;
  for (const Frame& frame : frames) {
    if (frame.seconds >= from && frame.seconds <= to && frame.aperiodicity < 0.4) {
      pitches.push_back(frame.midi);
    }
  }
  if (pitches.empty()) return 0;
  std::nth_element(pitches.begin(), pitches.begin() + long(pitches.size() / 2), pitches.end());
  return pitches[pitches.size() / 2];
}

struct ToneCase {
  const char* name;
  Voice voice;
  int rate;
};

class YinTone : public ::testing::TestWithParam<ToneCase> {};

// Every key from C3 to B6 is found within 10 cents, whatever the tone's harmonics and rate.
TEST_P(YinTone, FindsEveryKeyFromC3ToB6WithinTenCents) {
  const ToneCase& tone = GetParam();
  for (int key = 48; key <= 95; ++key) {
    const Performance how{.voice = tone.voice,
                          .rate = tone.rate,
                          .slotSeconds = 0.3,
                          .sounding = 1,
                          .leadSeconds = 0.05};
    const int melody[] = {key};
    const test::Performed take = test::Perform(melody, how, 1);
    double rate = 0;
    const std::vector<float> x = Downsampled(take.samples, take.rate, rate);
    const double heard = MiddlePitch(TrackFrames(x, rate), 0.1, 0.3);
    EXPECT_NEAR(heard, key, 0.1) << tone.name << " key " << key;
  }
}

INSTANTIATE_TEST_SUITE_P(Tones, YinTone,
                         ::testing::Values(ToneCase{"sine", Voice::Sine, 44100},
                                           ToneCase{"sine", Voice::Sine, 22050},
                                           ToneCase{"square", Voice::Square, 44100},
                                           ToneCase{"square", Voice::Square, 48000},
                                           ToneCase{"voice", Voice::Hum, 22050},
                                           ToneCase{"voice", Voice::Hum, 16000}),
                         [](const auto& info) {
                           return std::string(info.param.name) + std::to_string(info.param.rate);
                         });

// Silence has no level and white noise no period.
TEST(YinFrames, SilenceAndNoiseAreNotPeriodic) {
  std::mt19937 random(7);
  std::normal_distribution<float> noise(0, 0.2f);
  std::vector<float> white(11025);
  for (float& sample : white) sample = noise(random);
  const std::vector<float> silence(11025, 0.0f);
  for (const Frame& frame : TrackFrames(white, 11025)) EXPECT_GT(frame.aperiodicity, 0.4);
  const std::vector<Frame> quiet = TrackFrames(silence, 11025);
  ASSERT_FALSE(quiet.empty());
  for (const Frame& frame : quiet) EXPECT_EQ(frame.level, 0);
}

// Downsampling keeps a tone below the new Nyquist frequency and takes out one above it.
TEST(YinFrames, DownsamplingKeepsTheBandAndFiltersAboveIt) {
  struct Case {
    int rate;
    double hz;
    double gain;  // the RMS kept, as a share
  } const cases[] = {{44100, 1000, 1}, {48000, 2000, 1}, {44100, 9000, 0}, {8000, 3000, 1}};
  for (const Case& c : cases) {
    std::vector<float> tone(static_cast<size_t>(c.rate));
    for (size_t i = 0; i < tone.size(); ++i) {
      tone[i] = static_cast<float>(std::sin(2 * std::numbers::pi * c.hz * double(i) / c.rate));
    }
    double rate = 0;
    const std::vector<float> out = Downsampled(tone, c.rate, rate);
    EXPECT_GE(rate, 8000);
    EXPECT_LE(rate, 16000);
    double energy = 0;
    for (size_t i = out.size() / 4; i < out.size() * 3 / 4; ++i) energy += out[i] * out[i];
    const double rms = std::sqrt(energy / double(out.size() / 2)) * std::sqrt(2.0);
    EXPECT_NEAR(rms, c.gain, 0.05) << c.rate << " Hz, a tone of " << c.hz;
  }
}

}  // namespace
}  // namespace merin::listen
