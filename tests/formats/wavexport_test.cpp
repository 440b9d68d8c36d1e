// SPDX-License-Identifier: MIT
// The WAV export, in both builds: natively by libsndfile, in the WebAssembly build by the WAV
// writer of core. The files are read back by core's reader, which audioexport_test.cpp checks
// against libsndfile.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/wavefile.h"
#include "formats/audioexport.h"
#include "support/melodies.h"
#include "support/tempfolder.h"

namespace merin::formats {
namespace {

using test::MelodyOf;
using test::TempFolder;

const std::string kProgramFolder = MERIN_PROGRAM_DIR;
constexpr size_t kSlotFrames = 12348;  // 280 ms at 44.1 kHz, the length of every shipped wave

// The sound of the WAV file at `path`; none when it cannot be read.
PcmSound Read(const std::string& path) {
  const auto sound = ReadWave(test::ReadBytes(path));
  EXPECT_TRUE(std::holds_alternative<PcmSound>(sound)) << path;
  return std::holds_alternative<PcmSound>(sound) ? std::get<PcmSound>(sound) : PcmSound{};
}

TEST(ExportAudio, WavIsTheSlotsWaveFilesOneAfterAnother) {
  struct Case {
    const char* what;
    std::vector<std::string> codes;
    std::vector<std::string> waves;  // the files heard, in order
    const char* target;
  } cases[] = {
      {"one note", {"11"}, {"11"}, "tune.wav"},
      {"rest and empty slot inside sound as the rest",
       {"11", "01", "99", "72"},
       {"11", "01", "01", "72"},
       "tune.wav"},
      {"trailing empty slots left out", {"41", "99", "99"}, {"41"}, "tune.wav"},
      {"a trailing rest is kept", {"41", "01"}, {"41", "01"}, "tune.wav"},
      {"leading empty slots are rests", {"99", "99", "13"}, {"01", "01", "13"}, "tune.wav"},
      {"an all-empty melody is no sound", {}, {}, "tune.wav"},
      {"the extension in capitals", {"24", "24"}, {"24", "24"}, "TUNE.WAV"},
      {"all 30 slots",
       {"11", "12", "21", "22", "31", "41", "42", "51", "52", "61", "62", "71", "13", "14", "23",
        "24", "32", "43", "44", "53", "54", "63", "64", "72", "01", "99", "11", "11", "72", "72"},
       {"11", "12", "21", "22", "31", "41", "42", "51", "52", "61", "62", "71", "13", "14", "23",
        "24", "32", "43", "44", "53", "54", "63", "64", "72", "01", "01", "11", "11", "72", "72"},
       "tune.wav"},
  };
  TempFolder dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string target = dir / c.target;
    const auto error = ExportAudio(MelodyOf(c.codes), kProgramFolder, target);
    ASSERT_FALSE(error) << Words(*error, Language::English);
    PcmSound expected{44100, 1, {}};
    for (const std::string& wave : c.waves) {
      const PcmSound shipped = Read(kProgramFolder + wave + ".wav");
      ASSERT_EQ(shipped.samples.size(), kSlotFrames);
      expected.samples.insert(expected.samples.end(), shipped.samples.begin(),
                              shipped.samples.end());
    }
    const PcmSound written = Read(target);
    EXPECT_EQ(written.rate, expected.rate);
    EXPECT_EQ(written.channels, expected.channels);
    EXPECT_TRUE(written.samples == expected.samples)
        << written.samples.size() << " samples written, " << expected.samples.size() << " expected";
    std::filesystem::remove(target);
    EXPECT_TRUE(dir.Entries().empty()) << "a temporary file was left";
  }
}

// A wave that ends before its sound does is refused, as both builds read it, rather than exported
// with a piece missing; nothing is written.
TEST(ExportAudio, AWaveCutShortIsRefused) {
  TempFolder program, out;
  const std::string bytes = test::ReadBytes(kProgramFolder + "31.wav");
  test::WriteBytes(program / "11.wav", test::ReadBytes(kProgramFolder + "11.wav"));
  test::WriteBytes(program / "31.wav", bytes.substr(0, bytes.size() / 2));
  const auto error = ExportAudio(MelodyOf({"11", "31"}), program / "", out / "tune.wav");
  ASSERT_TRUE(error);
  EXPECT_EQ(Words(*error, Language::English),
            "cannot read " + program / "31.wav: the file ends before its sound does");
  EXPECT_TRUE(out.Entries().empty());
}

}  // namespace
}  // namespace merin::formats
