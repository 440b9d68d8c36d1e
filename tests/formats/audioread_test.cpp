// SPDX-License-Identifier: MIT
#include "formats/audioread.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "core/notecode.h"
#include "core/pitch.h"
#include "formats/formatlist.h"
#include "formats/intake.h"
#include "support/takes.h"

namespace merin::formats {
namespace {

using test::Performance;
using test::WavOf;
using Voice = Performance::Voice;

// The melody's slots by their names, up to the last note or rest.
std::string Names(const SlotCodes& codes) {
  std::string names;
  for (const std::string& code : codes) {
    if (code == kEmptyCode) break;
    names += (names.empty() ? "" : " ") + TokenOfCode(code);
  }
  return names;
}

// Audio files are told by their first bytes, whatever their name.
TEST(AudioFormats, AreToldByContent) {
  struct Case {
    std::string bytes;
    std::string_view format;  // empty for no audio format
  } const cases[] = {
      {WavOf(std::vector<float>(2, 0.0f), 8000), "WAV audio"},
      {std::string("fLaC\0\0\0\x22", 8), "FLAC audio"},
      {std::string("OggS\0\x02", 6), "Ogg Vorbis audio"},
      {"ID3\x04", "MP3 audio"},
      {"\xff\xfb\x90\x64", "MP3 audio"},
      // A reserved layer, bit rate or sample rate is no MPEG frame.
      {"\xff\xf9\x90\x64", ""},
      {"\xff\xfb\xf0\x64", ""},
      {"\xff\xfb\x9c\x64", ""},
      {"RIFF\x04\0\0\0AVI ", ""},
  };
  for (const Case& c : cases) {
    for (const std::string_view name : {"take", "take.bin"}) {
      const Format& format = FormatToRead(c.bytes, name);
      EXPECT_EQ(format.audio ? format.name : "", c.format) << c.bytes;
    }
  }
}

// A melody played, hummed or whistled comes in as the slots it was made from, with what was heard
// and changed in the report.
TEST(AudioFormats, ATakeComesInAsItsSlots) {
  const std::vector<int> tune = {60, 64, 67, test::kRestKey, 72, 71, 69, 69, 62};
  std::vector<int> longTune;
  for (int i = 0; i < 4; ++i) longTune.insert(longTune.end(), tune.begin(), tune.end());
  struct Case {
    const char* what;
    std::vector<int> melody;
    Performance how;
    size_t from;
    std::string names;
    std::vector<std::string> report;
  } const cases[] = {
      {"hum",
       tune,
       {.voice = Voice::Hum, .slotSeconds = 0.25, .transpose = -12, .scoopCents = -80},
       1,
       "C4 E4 G4 r C5 B4 A4 A4 D4",
       {"heard a slot length of 250 ms", "moved everything up 1 octave"}},
      {"36 slots from 4",
       longTune,
       {.voice = Voice::Square, .slotSeconds = 0.2},
       4,
       "r C5 B4 A4 A4 D4 C4 E4 G4 r C5 B4 A4 A4 D4 C4 E4 G4 r C5 B4 A4 A4 D4 C4 E4 G4 r C5 B4",
       {"heard a slot length of 200 ms", "skipped the first 3 notes and rests",
        "dropped 3 notes and rests after slot 30"}},
  };
  for (const Case& c : cases) {
    const test::Performed take = test::Perform(c.melody, c.how, 5);
    auto intake = Intake::Of(WavOf(take.samples, take.rate), "take.wav");
    ASSERT_TRUE(std::holds_alternative<Intake>(intake)) << c.what;
    EXPECT_EQ(std::get<Intake>(intake).formatName(), "WAV audio");
    auto read = std::get<Intake>(intake).Take(0, c.from);
    ASSERT_TRUE(std::holds_alternative<Imported>(read))
        << c.what << ": " << Words(std::get<Refusal>(read), Language::English);
    const Imported& melody = std::get<Imported>(read);
    EXPECT_EQ(Names(melody.codes), c.names) << c.what;
    EXPECT_EQ(Words(melody.report, Language::English), c.report) << c.what;
    EXPECT_TRUE(melody.import);
    EXPECT_EQ(melody.title, "take");
  }
}

// A blip in a rest, shorter than a third of a slot, is left out and said so, in both languages.
TEST(AudioFormats, NotesTooShortAreLeftOutAndSaid) {
  const int melody[] = {65, test::kRestKey, 69, 72};
  test::Performed take = test::Perform(melody, {.slotSeconds = 0.3}, 2);
  const double start = 0.4 + 0.3 + 0.1;  // inside the rest
  for (int i = 0; i < take.rate * 6 / 100; ++i) {
    const double t = static_cast<double>(i) / take.rate;
    take.samples[static_cast<size_t>(start * take.rate) + static_cast<size_t>(i)] +=
        static_cast<float>(0.3 * std::sin(2 * std::numbers::pi * 587.33 * t));
  }
  auto read = ReadAny(WavOf(take.samples, take.rate), "blip.wav", {});
  ASSERT_TRUE(std::holds_alternative<Imported>(read));
  const Imported& heard = std::get<Imported>(read);
  EXPECT_EQ(Names(heard.codes), "F4 r A4 C5");
  EXPECT_EQ(Words(heard.report.back(), Language::English),
            "left out 1 note shorter than a third of a slot");
  EXPECT_EQ(Words(heard.report.back(), Language::Japanese),
            "スロットの 3 分の 1 より短い 1 個の音を省きました");
}

// A sound the format cannot listen to is refused with the reason, naming the file (what the
// tracker hears no tune in is refused as the converter's test shows).
TEST(AudioFormats, SoundNotListenedToIsRefusedInWords) {
  struct Case {
    const char* what;
    std::string bytes;
    std::string reason;
  } const cases[] = {
      {"long", WavOf(std::vector<float>(1000 * 301, 0.1f), 1000),
       "the sound goes on for more than 5 minutes"},
      {"slow", WavOf(std::vector<float>(2000, 0.1f), 2000),
       "a sample rate of 2000 Hz is not read (4000 to 384000 Hz are)"},
      {"broken", WavOf(std::vector<float>{0.1f, 0.2f}, 8000).substr(0, 20),
       "not a sound file that can be read"},
  };
  for (const Case& c : cases) {
    auto read = ReadAny(c.bytes, "take.wav", {});
    ASSERT_TRUE(std::holds_alternative<Refusal>(read)) << c.what;
    const Refusal& refusal = std::get<Refusal>(read);
    EXPECT_EQ(refusal.file, "take.wav") << c.what;
    EXPECT_EQ(Reason(refusal, Language::English).rfind(c.reason, 0), 0u)
        << c.what << ": " << Reason(refusal, Language::English);
  }
}

}  // namespace
}  // namespace merin::formats
