// SPDX-License-Identifier: MIT
// merinkast98-keys reading a tune from sound (-i FILE, standard input): its own audio export read
// back, and takes that hold no tune.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "formats/audioexport.h"
#include "output/convert.h"
#include "support/melodies.h"
#include "support/runprogram.h"
#include "support/takes.h"
#include "support/tempfolder.h"

namespace merin {
namespace {

using test::MelodyOf;
using test::RunProgram;
using test::TempFolder;
using test::WavOf;
using test::WriteBytes;

// A melody exported as sound and read back gives the slots it was made of, an empty slot between
// notes a rest, as the export sounds it; from a file or standard input, from any start.
TEST(KeysProgramAudio, ReadsBackEveryAudioFormatItWrites) {
  TempFolder dir;
  const std::vector<std::string> tokens = {"C4",  "E4",  "G4", "C5", "r", "B4", "G4", "D5",
                                           "C#4", "C#4", "A5", "-",  "r", "F4", "A#5"};
  // The empty slot between notes sounds, and is heard, as a rest.
  std::vector<std::string> heard = tokens;
  std::replace(heard.begin(), heard.end(), std::string("-"), std::string("r"));
  const std::string listing = RunProgram(MERIN_KEYS_PROGRAM, heard).out;
  const std::string fromThird =
      RunProgram(MERIN_KEYS_PROGRAM, std::vector<std::string>(heard.begin() + 2, heard.end())).out;
  // Every slot of the export lasts 280 ms.
  for (const std::string& extension : formats::WritableAudioExtensions()) {
    SCOPED_TRACE(extension);
    const std::string file = dir / ("tune." + extension);
    std::vector<std::string> args = tokens;
    args.insert(args.end(), {"-o", file});
    ASSERT_EQ(RunProgram(MERIN_KEYS_PROGRAM, args).exitCode, 0);
    auto read = RunProgram(MERIN_KEYS_PROGRAM, {"-i", file});
    EXPECT_EQ(read.exitCode, 0) << read.err;
    EXPECT_EQ(read.out, listing);
    EXPECT_EQ(read.err, "merinkast98-keys: " + file + ": heard a slot length of 280 ms\n");
    auto later = RunProgram(MERIN_KEYS_PROGRAM, {"-i", "-", "--from", "3"}, test::ReadBytes(file));
    EXPECT_EQ(later.exitCode, 0) << later.err;
    EXPECT_EQ(later.out, fromThird);
    EXPECT_NE(later.err.find("standard input: skipped the first 2 notes and rests"),
              std::string::npos)
        << later.err;
  }
}

// A take too quiet, clipped or without a note is refused in words, with nothing printed.
TEST(KeysProgramAudio, RefusesSoundWithoutATune) {
  TempFolder dir;
  const int melody[] = {60, 64, 67, 72};
  std::vector<float> loud = test::Perform(melody, {}, 1).samples;
  for (float& s : loud) s = std::clamp(s * 6, -1.0f, 1.0f);
  std::vector<float> hiss(22050 * 2);
  for (size_t i = 0; i < hiss.size(); ++i) hiss[i] = 0.2f * float(std::sin(double(i * i % 9973)));
  struct Case {
    const char* file;
    std::string bytes;
    std::string reason;
  } const cases[] = {
      {"quiet.wav", WavOf(test::Perform(melody, {.amplitude = 0.004}, 1).samples, 22050),
       "the sound is too quiet"},
      {"clipped.wav", WavOf(loud, 22050), "the sound is clipped"},
      {"hiss.wav", WavOf(hiss, 22050), "no note is heard in it"},
  };
  for (const Case& c : cases) {
    WriteBytes(dir / c.file, c.bytes);
    auto read = RunProgram(MERIN_KEYS_PROGRAM, {"-i", dir / c.file});
    EXPECT_EQ(read.exitCode, 2) << c.file;
    EXPECT_EQ(read.out, "") << c.file;
    EXPECT_EQ(read.err.rfind("merinkast98-keys: " + dir / c.file + ": " + c.reason, 0), 0u)
        << read.err;
  }
}

}  // namespace
}  // namespace merin
