// SPDX-License-Identifier: MIT
#include "listen/tracker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "support/takes.h"

namespace merin::listen {
namespace {

using test::Performance;
using Voice = Performance::Voice;

Take ListenTo(const test::Performed& take) { return Listen(take.samples, take.rate); }

std::vector<test::HeardNote> Heard(const Take& take) {
  std::vector<test::HeardNote> heard;
  for (const Note& note : take.notes) heard.push_back({note.onset, note.pitch});
  return heard;
}

// A few notes as a take: the slots heard, the voice's octave kept.
struct NoteCase {
  const char* what;
  std::vector<int> melody;
  Performance how;
};

class OneMelody : public ::testing::TestWithParam<NoteCase> {};

TEST_P(OneMelody, IsHeardSlotForSlot) {
  const NoteCase& c = GetParam();
  const Take take = ListenTo(test::Perform(c.melody, c.how, 3));
  std::vector<int> sung = c.melody;
  for (int& key : sung) key = key == kRest ? kRest : key + c.how.transpose;
  EXPECT_EQ(take.sequence, sung) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Notes, OneMelody,
    ::testing::Values(
        // Repeated notes parted by 20 ms of silence stay apart.
        NoteCase{"repeated", {67, 67, 67, 67}, {.slotSeconds = 0.3, .sounding = 0.28 / 0.3}},
        NoteCase{"repeated voice",
                 {72, 72, 72},
                 {.voice = Voice::Hum, .slotSeconds = 0.25, .sounding = 0.23 / 0.25}},
        // A vibrato of ±30 cents is one note.
        NoteCase{"vibrato", {69}, {.voice = Voice::Hum, .slotSeconds = 1.2, .vibratoCents = 30}},
        // A scoop from 100 cents below gives the note it reaches.
        NoteCase{
            "scoop", {64, 67, 71}, {.voice = Voice::Hum, .slotSeconds = 0.35, .scoopCents = -100}},
        // A hum an octave low gives the same slots an octave down, its rest too.
        NoteCase{"hum low",
                 {60, 62, kRest, 64, 65, 65, kRest, 60},
                 {.voice = Voice::Hum, .transpose = -12, .scoopCents = -80, .vibratoCents = 15}}),
    [](const auto& info) {
      std::string name = info.param.what;
      std::replace(name.begin(), name.end(), ' ', '_');
      return name;
    });

// Nothing to hear is said as such, not an empty tune.
TEST(Listen, SaysWhyATakeGivesNoTune) {
  std::mt19937 random(11);
  std::normal_distribution<float> noise(0, 0.1f);
  std::vector<float> white(44100);
  for (float& sample : white) sample = noise(random);
  const int melody[] = {60, 64, 67};
  test::Performed loud = test::Perform(melody, {.rate = 44100}, 1);
  for (float& sample : loud.samples) sample = std::clamp(sample * 8, -1.0f, 1.0f);
  struct Case {
    const char* what;
    std::vector<float> samples;
    Problem problem;
  } const cases[] = {{"silence", std::vector<float>(44100, 0.0f), Problem::Quiet},
                     {"clipped", loud.samples, Problem::Clipped},
                     {"noise", white, Problem::NoNote},
                     {"nothing", {}, Problem::Quiet}};
  for (const Case& c : cases) {
    const Take take = Listen(c.samples, 44100);
    EXPECT_EQ(take.problem, c.problem) << c.what;
    EXPECT_TRUE(take.sequence.empty()) << c.what;
  }
}

// The slot length is found within 2 % from 0.12 to 0.55 s, hummed or played.
TEST(Listen, FindsTheSlotLengthWithinTwoPercent) {
  std::mt19937 random(5);
  for (const double slot : {0.12, 0.18, 0.25, 0.28, 0.35, 0.45, 0.55}) {
    for (const Voice voice : {Voice::Square, Voice::Hum}) {
      const std::vector<int> melody = test::RandomMelody(random, 20);
      const Take take = ListenTo(test::Perform(
          melody, {.voice = voice, .slotSeconds = slot, .onsetJitterSeconds = 0.01}, 9));
      EXPECT_NEAR(take.slotSeconds, slot, 0.02 * slot) << slot << " s, voice " << int(voice);
    }
  }
}

// The grid of slots from onsets: the longest slot that fits, not a half or a third of it.
TEST(SlotLength, TakesTheLongestGridThatFits) {
  struct Case {
    std::vector<double> onsets;
    double slot;
  } const cases[] = {
      {{0, 0.3, 0.6, 1.2, 1.5}, 0.3},
      {{1, 1.25, 1.5, 1.75, 2.25, 2.5}, 0.25},
      {{0, 0.41, 0.79, 1.2, 1.6, 2.4, 2.81}, 0.4},
      {{0, 0.5, 1.0, 1.5, 2.0}, 0.5},
      // Onsets up to 25 ms off a grid of 0.3 s, which a grid of 0.1 s fits as closely.
      {{0.02, 0.28, 0.625, 0.88, 1.215, 1.49, 2.12, 2.38, 2.71, 2.99}, 0.3},
      {{0.2}, 0}};
  for (const Case& c : cases) EXPECT_NEAR(SlotLength(c.onsets), c.slot, 0.01);
}

// The goals on takes made from random melodies: how many notes are found (F-measure) and how
// many edits the slots need.
struct Condition {
  const char* name;
  Performance how;
  double leastF;
  size_t medianEdits;
  size_t withinTwoOfFour;  // takes of every four within 2 edits
};

class Corpus : public ::testing::TestWithParam<Condition> {};

TEST_P(Corpus, MeetsItsGoals) {
  const Condition& c = GetParam();
  std::mt19937 random(1998);
  constexpr size_t kTakes = 8;
  std::vector<double> scores;
  std::vector<size_t> edits;
  for (uint32_t seed = 0; seed < kTakes; ++seed) {
    const std::vector<int> melody = test::RandomMelody(random, 24);
    const test::Performed played = test::Perform(melody, c.how, seed);
    const Take take = ListenTo(played);
    scores.push_back(test::NoteFMeasure(Heard(take), played.notes));
    edits.push_back(test::SlotEdits(take.sequence, melody));
  }
  const double f = std::accumulate(scores.begin(), scores.end(), 0.0) / kTakes;
  std::sort(edits.begin(), edits.end());
  const size_t median = edits[kTakes / 2];
  const auto within = static_cast<size_t>(
      std::count_if(edits.begin(), edits.end(), [](size_t e) { return e <= 2; }));
  std::printf("%s: F %.3f, edits median %zu, within 2: %zu of %zu, worst %zu\n", c.name, f, median,
              within, kTakes, edits.back());
  EXPECT_GE(f, c.leastF);
  EXPECT_LE(median, c.medianEdits);
  EXPECT_GE(within * 4, c.withinTwoOfFour * kTakes);
}

INSTANTIATE_TEST_SUITE_P(Takes, Corpus,
                         ::testing::Values(Condition{"handset",
                                                     {.voice = Voice::Handset,
                                                      .rate = 8000,
                                                      .slotSeconds = 0.28,
                                                      .sounding = 0.25 / 0.28,
                                                      .snrDb = 20},
                                                     0.98,
                                                     0,
                                                     4},
                                           Condition{"hum",
                                                     {.voice = Voice::Hum,
                                                      .slotSeconds = 0.32,
                                                      .sounding = 0.8,
                                                      .transpose = -12,
                                                      .scoopCents = -100,
                                                      .vibratoCents = 25,
                                                      .jitterCents = 15,
                                                      .onsetJitterSeconds = 0.015},
                                                     0.85,
                                                     1,
                                                     3},
                                           Condition{"hum25dB",
                                                     {.voice = Voice::Hum,
                                                      .slotSeconds = 0.32,
                                                      .sounding = 0.8,
                                                      .transpose = -12,
                                                      .snrDb = 25,
                                                      .scoopCents = -100,
                                                      .vibratoCents = 25,
                                                      .jitterCents = 15,
                                                      .onsetJitterSeconds = 0.015},
                                                     0.85,
                                                     1,
                                                     3},
                                           Condition{"whistle18dB",
                                                     {.voice = Voice::Whistle,
                                                      .rate = 44100,
                                                      .slotSeconds = 0.3,
                                                      .sounding = 0.8,
                                                      .transpose = 12,
                                                      .snrDb = 18,
                                                      .scoopCents = -50,
                                                      .vibratoCents = 20,
                                                      .jitterCents = 10,
                                                      .onsetJitterSeconds = 0.015},
                                                     0.85,
                                                     1,
                                                     3}),
                         [](const auto& info) { return std::string(info.param.name); });

// Four times the sound takes about four times as long, not more.
TEST(Listen, GrowsLinearlyWithTheTake) {
  std::mt19937 random(4);
  const std::vector<int> melody = test::RandomMelody(random, 30);
  const test::Performed take = test::Perform(melody, {.voice = Voice::Hum, .rate = 44100}, 2);
  std::vector<float> longer;
  for (int i = 0; i < 4; ++i) longer.insert(longer.end(), take.samples.begin(), take.samples.end());
  // Processor time, the least of five runs: the machine may be busy with other work.
  const auto fastest = [](const std::vector<float>& samples) {
    double best = 1e9;
    for (int run = 0; run < 5; ++run) {
      const std::clock_t start = std::clock();
      const Take heard = Listen(samples, 44100);
      EXPECT_FALSE(heard.notes.empty());
      best = std::min(best, double(std::clock() - start) / CLOCKS_PER_SEC);
    }
    return best;
  };
  const double once = fastest(take.samples), four = fastest(longer);
  EXPECT_LT(four, 6 * once) << once << " s, four times as long: " << four << " s";
}

}  // namespace
}  // namespace merin::listen
