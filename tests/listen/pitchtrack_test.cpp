// SPDX-License-Identifier: MIT
#include "listen/pitchtrack.h"

#include <gtest/gtest.h>

#include <algorithm>
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
                                           ToneCase{"square", Voice::Square, 48000},
                                           ToneCase{"voice", Voice::Hum, 22050},
                                           ToneCase{"voice", Voice::Hum, 16000}),
                         [](const auto& info) {
                           return std::string(info.param.name) + std::to_string(info.param.rate);
                         });

}  // namespace
}  // namespace merin::listen
