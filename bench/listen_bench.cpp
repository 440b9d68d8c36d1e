// SPDX-License-Identifier: MIT
// The tracker: how fast it hears 30 s of sound, and how well it hears takes made from seeded
// melodies (tests/support/takes.h): the notes' F-measure and the edits the slots need.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "listen/tracker.h"
#include "support/takes.h"

namespace {

using merin::test::Performance;
using Voice = Performance::Voice;

struct Condition {
  const char* name;
  Performance how;
};

std::vector<Condition> Conditions() {
  return {
      {"handset 8 kHz, 20 dB",
       {.voice = Voice::Handset,
        .rate = 8000,
        .slotSeconds = 0.28,
        .sounding = 0.25 / 0.28,
        .snrDb = 20}},
      {"hum, clean",
       {.voice = Voice::Hum,
        .slotSeconds = 0.32,
        .sounding = 0.8,
        .transpose = -12,
        .scoopCents = -100,
        .vibratoCents = 25,
        .jitterCents = 15,
        .onsetJitterSeconds = 0.015}},
      {"hum, 25 dB",
       {.voice = Voice::Hum,
        .slotSeconds = 0.32,
        .sounding = 0.8,
        .transpose = -12,
        .snrDb = 25,
        .scoopCents = -100,
        .vibratoCents = 25,
        .jitterCents = 15,
        .onsetJitterSeconds = 0.015}},
      {"whistle, 18 dB",
       {.voice = Voice::Whistle,
        .rate = 44100,
        .slotSeconds = 0.3,
        .sounding = 0.8,
        .transpose = 12,
        .snrDb = 18,
        .scoopCents = -50,
        .vibratoCents = 20,
        .jitterCents = 10,
        .onsetJitterSeconds = 0.015}},
      {"hum, 15 dB, 40 ms onsets",
       {.voice = Voice::Hum,
        .slotSeconds = 0.3,
        .sounding = 0.75,
        .transpose = -12,
        .snrDb = 15,
        .scoopCents = -150,
        .vibratoCents = 40,
        .jitterCents = 30,
        .onsetJitterSeconds = 0.04}},
      {"hum, 10 dB, 70 ms onsets",
       {.voice = Voice::Hum,
        .slotSeconds = 0.25,
        .sounding = 0.7,
        .transpose = -12,
        .snrDb = 10,
        .scoopCents = -200,
        .vibratoCents = 60,
        .jitterCents = 40,
        .onsetJitterSeconds = 0.07}},
  };
}

void Quality(size_t takes) {
  std::printf("%-26s %8s %8s %8s %10s %8s\n", "takes of 24 slots", "F", "F min", "edits",
              "<= 2 edits", "worst");
  for (const Condition& c : Conditions()) {
    std::mt19937 random(1998);
    std::vector<double> scores;
    std::vector<size_t> edits;
    for (uint32_t seed = 0; seed < takes; ++seed) {
      const std::vector<int> melody = merin::test::RandomMelody(random, 24);
      const merin::test::Performed played = merin::test::Perform(melody, c.how, 1000 + seed);
      const merin::listen::Take take = merin::listen::Listen(played.samples, played.rate);
      std::vector<merin::test::HeardNote> heard;
      for (const auto& note : take.notes) heard.push_back({note.onset, note.pitch});
      scores.push_back(merin::test::NoteFMeasure(heard, played.notes));
      edits.push_back(merin::test::SlotEdits(take.sequence, melody));
    }
    std::sort(edits.begin(), edits.end());
    const auto within = std::count_if(edits.begin(), edits.end(), [](size_t e) { return e <= 2; });
    std::printf("%-26s %8.3f %8.3f %8zu %9.0f%% %8zu\n", c.name,
                std::accumulate(scores.begin(), scores.end(), 0.0) / double(takes),
                *std::min_element(scores.begin(), scores.end()), edits[takes / 2],
                100.0 * double(within) / double(takes), edits.back());
  }
}

void Speed() {
  std::printf("\n%-26s %10s %10s %10s\n", "30 s of sound", "fastest", "median", "x realtime");
  for (const int rate : {8000, 22050, 44100, 48000}) {
    std::mt19937 random(30);
    const std::vector<int> melody = merin::test::RandomMelody(random, 100);
    const merin::test::Performed take = merin::test::Perform(melody,
                                                             {.voice = Voice::Hum,
                                                              .rate = rate,
                                                              .transpose = -12,
                                                              .snrDb = 25,
                                                              .vibratoCents = 20,
                                                              .leadSeconds = 0},
                                                             7);
    std::vector<double> times;
    for (int run = 0; run < 7; ++run) {
      const auto start = std::chrono::steady_clock::now();
      const merin::listen::Take heard = merin::listen::Listen(take.samples, take.rate);
      times.push_back(
          std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
      if (heard.notes.empty()) std::printf("no notes heard\n");
    }
    std::sort(times.begin(), times.end());
    const double seconds = double(take.samples.size()) / rate;
    std::printf("%-26s %9.3fs %9.3fs %10.0f\n",
                (std::to_string(rate) + " Hz, " + std::to_string(int(seconds)) + " s").c_str(),
                times.front(), times[times.size() / 2], seconds / times[times.size() / 2]);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const size_t takes = argc > 1 ? size_t(std::max(1, std::atoi(argv[1]))) : 40;
  std::printf("listen_bench: %zu takes a condition\n", takes);
  Quality(takes);
  Speed();
  return 0;
}
