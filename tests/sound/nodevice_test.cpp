// SPDX-License-Identifier: MIT
// Runs with PULSE_SERVER pointing at a socket that does not exist and (on a machine with no sound
// card) no ALSA device: the device has nothing to play to.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>

#include "sound/portaudiodevice.h"
#include "support/stderrcapture.h"
#include "support/tempfolder.h"
#include "support/tonefile.h"

namespace merin {
namespace {

using Clock = std::chrono::steady_clock;
using test::StderrLinesOf;
using test::TempFolder;
using test::WriteTone;

double SecondsOf(auto&& f) {
  const auto start = Clock::now();
  f();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

class NoDevice : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ifstream cards("/proc/asound/cards");
    std::string first;
    if (cards && std::getline(cards, first) && first.find("no soundcards") == std::string::npos)
      GTEST_SKIP() << "this machine has a sound card";
    lines_ = StderrLinesOf([&] { device_ = std::make_unique<PortAudioDevice>(); });
  }

  std::unique_ptr<PortAudioDevice> device_;
  std::vector<std::string> lines_;
};

TEST_F(NoDevice, SaysOnceThatSoundIsOffAndNothingElse) {
  EXPECT_FALSE(device_->enabled());
  ASSERT_EQ(lines_.size(), 1u) << ::testing::PrintToString(lines_);
  EXPECT_NE(lines_[0].find("sound is off"), std::string::npos) << lines_[0];
  const auto closing = StderrLinesOf([&] { device_.reset(); });
  EXPECT_TRUE(closing.empty()) << ::testing::PrintToString(closing);
}

// Test play keeps its rhythm with sound off: every call takes its file's own length (read at the
// file's rate, whatever the stream's would be), and the calls do not drift.
TEST_F(NoDevice, EachSoundTakesItsOwnLengthInSilence) {
  TempFolder dir;
  struct Sound {
    const char* name;
    double seconds;
    int rate;
  };
  const Sound sounds[] = {{"a.wav", 0.10, 44100},
                          {"b.wav", 0.25, 8000},
                          {"c.wav", 0.15, 48000},
                          {"a.wav", 0.10, 44100}};
  for (const Sound& s : sounds) WriteTone(dir / s.name, 440, s.seconds, s.rate);

  double total = 0, expected = 0;
  const auto lines = StderrLinesOf([&] {
    for (const Sound& s : sounds) {
      const double took = SecondsOf([&] { device_->PlayWave(dir / s.name); });
      EXPECT_NEAR(took, s.seconds, 0.020) << s.name;
      total += took;
      expected += s.seconds;
    }
    EXPECT_LT(SecondsOf([&] { device_.reset(); }), 0.1);
  });
  EXPECT_NEAR(total, expected, 0.020);
  EXPECT_TRUE(lines.empty()) << ::testing::PrintToString(lines);
}

// A file that cannot be played returns at once and is named on stderr on its first use only; the
// device goes on playing the next good file.
TEST_F(NoDevice, BadFilesAreNamedOnceAndSkipped) {
  TempFolder dir;
  std::ofstream(dir / "garbage.wav") << "RIFF but not really";
  std::ofstream(dir / "empty.wav");
  std::filesystem::create_directory(dir / "folder.wav");
  WriteTone(dir / "good.wav", 440, 0.1);
  const std::string bad[] = {dir / "missing.wav", dir / "garbage.wav", dir / "empty.wav",
                             dir / "folder.wav"};
  for (const std::string& path : bad) {
    for (int round = 0; round < 2; ++round) {
      std::vector<std::string> lines;
      const double took =
          SecondsOf([&] { lines = StderrLinesOf([&] { device_->PlayWave(path); }); });
      EXPECT_LT(took, 0.02) << path;
      if (round == 0) {
        ASSERT_EQ(lines.size(), 1u) << path << ::testing::PrintToString(lines);
        EXPECT_NE(lines[0].find(path), std::string::npos) << lines[0];
      } else {
        EXPECT_TRUE(lines.empty()) << path << ::testing::PrintToString(lines);
      }
    }
  }
  EXPECT_NEAR(SecondsOf([&] { device_->PlayWave(dir / "good.wav"); }), 0.1, 0.02);
}

// Each note is worded in the language the device is given at the time: the window's, which the
// user may change while the program runs.
TEST_F(NoDevice, NotesAreWordedInTheLanguageOfTheMoment) {
  Language language = Language::Japanese;
  std::unique_ptr<PortAudioDevice> device;
  const auto opening =
      StderrLinesOf([&] { device = std::make_unique<PortAudioDevice>([&] { return language; }); });
  ASSERT_EQ(opening.size(), 1u) << ::testing::PrintToString(opening);
  EXPECT_TRUE(opening[0].starts_with("merinkast98: 音は出ません (")) << opening[0];

  TempFolder dir;
  WriteTone(dir / "half.wav", 440, 0.1);
  std::filesystem::resize_file(dir / "half.wav", std::filesystem::file_size(dir / "half.wav") / 2);
  const auto noteOn = [&](Language in, const std::string& path) {
    language = in;
    const auto lines = StderrLinesOf([&] { device->PlayWave(path); });
    return lines.size() == 1 ? lines[0] : ::testing::PrintToString(lines);
  };
  EXPECT_TRUE(noteOn(Language::Japanese, dir / "missing\x1b.wav")
                  .starts_with("merinkast98: 「" + (dir / "missing\\x1b.wav") +
                               "」を再生できません: 読み込める音声ファイルではありません"));
  EXPECT_EQ(noteOn(Language::English, dir / "half.wav"),
            "merinkast98: \"" + (dir / "half.wav") +
                "\": the file ends before its sound does; playing what there is");
}

}  // namespace
}  // namespace merin
