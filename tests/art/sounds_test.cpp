// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "core/pitch.h"
#include "core/programfiles.h"
#include "support/tonetrack.h"

namespace {

using merin::NoteCodes;
using merin::ProgramSounds;

struct Sound {
  SF_INFO info{};
  std::vector<double> samples;
  double Seconds() const { return static_cast<double>(samples.size()) / info.samplerate; }
  double Peak(size_t from, size_t to) const {
    double peak = 0;
    for (size_t i = from; i < std::min(to, samples.size()); ++i)
      peak = std::max(peak, std::abs(samples[i]));
    return peak;
  }
};

Sound Read(const std::string& name) {
  Sound sound;
  const std::string path = std::string(MERIN_PROGRAM_DIR "/") + name;
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &sound.info);
  if (!file) {
    ADD_FAILURE() << path << ": " << sf_strerror(nullptr);
    return sound;
  }
  sound.samples.resize(static_cast<size_t>(sound.info.frames * sound.info.channels));
  sf_read_double(file, sound.samples.data(), static_cast<sf_count_t>(sound.samples.size()));
  sf_close(file);
  return sound;
}

// Power of `frequency` in the Hann-windowed samples [from, to).
double Power(const Sound& sound, size_t from, size_t to, double frequency) {
  return merin::test::GoertzelPower(&sound.samples[from], to - from, frequency,
                                    sound.info.samplerate, true);
}

// The strongest frequency between 100 Hz and 5 kHz, searched in steps of 0.2 %.
double DominantFrequency(const Sound& sound, size_t from, size_t to) {
  double best = 0, bestPower = -1;
  for (double f = 100; f < 5000; f *= 1.002) {
    const double p = Power(sound, from, to, f);
    if (p > bestPower) bestPower = p, best = f;
  }
  return best;
}

TEST(SoundFiles, AreSixteenBitMonoPcmWavesAtOneRate) {
  const int rate = Read("11.wav").info.samplerate;
  EXPECT_GE(rate, 8000);
  for (const std::string& name : ProgramSounds()) {
    SCOPED_TRACE(name);
    const Sound sound = Read(name);
    EXPECT_EQ(sound.info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_EQ(sound.info.channels, 1);
    EXPECT_EQ(sound.info.samplerate, rate);
  }
}

TEST(SoundFiles, NotesAndTheRestLastOneMelodyStep) {
  const Sound rest = Read("01.wav");
  EXPECT_GE(rest.Seconds(), 0.2);
  EXPECT_LE(rest.Seconds(), 0.35);
  for (const std::string& code : NoteCodes())
    EXPECT_EQ(Read(code + ".wav").samples.size(), rest.samples.size()) << code;
}

TEST(SoundFiles, RestIsSilent) {
  const Sound rest = Read("01.wav");
  ASSERT_FALSE(rest.samples.empty());
  EXPECT_EQ(rest.Peak(0, rest.samples.size()), 0.0);
}

TEST(SoundFiles, EachNoteSoundsAtItsEqualTemperedPitch) {
  const struct {
    const char* code;
    double hertz;
  } notes[] = {
      {"11", 261.626}, {"12", 277.183}, {"21", 293.665}, {"22", 311.127}, {"31", 329.628},
      {"41", 349.228}, {"42", 369.994}, {"51", 391.995}, {"52", 415.305}, {"61", 440.000},
      {"62", 466.164}, {"71", 493.883}, {"13", 523.251}, {"14", 554.365}, {"23", 587.330},
      {"24", 622.254}, {"32", 659.255}, {"43", 698.456}, {"44", 739.989}, {"53", 783.991},
      {"54", 830.609}, {"63", 880.000}, {"64", 932.328}, {"72", 987.767},
  };
  for (const auto& note : notes) {
    const Sound sound = Read(std::string(note.code) + ".wav");
    ASSERT_FALSE(sound.samples.empty()) << note.code;
    const double found = DominantFrequency(sound, 0, sound.samples.size() / 2);
    EXPECT_NEAR(found, note.hertz, note.hertz * 0.01) << note.code;
  }
}

// Starting from and ending in silence keeps the sound free of clicks, and the silent tail parts
// two equal notes in a row.
TEST(SoundFiles, NotesRiseFromSilenceAndEndInSilence) {
  for (const std::string& code : NoteCodes()) {
    SCOPED_TRACE(code);
    const Sound sound = Read(code + ".wav");
    ASSERT_GT(sound.samples.size(), 2000u);
    const size_t ms = static_cast<size_t>(sound.info.samplerate / 1000);
    const size_t n = sound.samples.size();
    EXPECT_LT(std::abs(sound.samples.front()), 0.002);
    EXPECT_LT(sound.Peak(0, ms / 2), sound.Peak(10 * ms, 20 * ms) / 4);
    EXPECT_GT(sound.Peak(0, n), 0.2);
    EXPECT_LT(sound.Peak(0, n), 0.95);
    EXPECT_LT(sound.Peak(n - 20 * ms, n), 0.002);
    double biggestStep = 0;
    for (size_t i = 1; i < n; ++i)
      biggestStep = std::max(biggestStep, std::abs(sound.samples[i] - sound.samples[i - 1]));
    EXPECT_LT(biggestStep, 0.25);
  }
}

TEST(SoundFiles, OpeningRisesAndClosingFallsWithinASecond) {
  const struct {
    const char* name;
    bool rising;
  } jingles[] = {{"open.wav", true}, {"close.wav", false}};
  for (const auto& jingle : jingles) {
    SCOPED_TRACE(jingle.name);
    const Sound sound = Read(jingle.name);
    ASSERT_GT(sound.Seconds(), 0.3);
    EXPECT_LE(sound.Seconds(), 1.0);
    const size_t n = sound.samples.size();
    const size_t tenth = static_cast<size_t>(sound.info.samplerate / 10);
    EXPECT_GT(sound.Peak(0, n), 0.2);
    EXPECT_LT(sound.Peak(n - tenth / 5, n), 0.002);
    const double first = DominantFrequency(sound, 0, tenth);
    const double last = DominantFrequency(sound, n - 3 * tenth, n);
    EXPECT_EQ(last > first, jingle.rising) << first << " Hz then " << last << " Hz";
  }
}

}  // namespace
