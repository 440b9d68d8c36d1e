// SPDX-License-Identifier: MIT
// merinkast98-keys writing RTTTL for a player (--for) and checking a text for one (--check), from
// a Flipper file with a Title line to what each player is said to play.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/runprogram.h"
#include "support/tempfolder.h"

namespace merin {
namespace {

using test::ReadBytes;
using test::RunProgram;
using test::TempFolder;
using test::WriteBytes;

// One scenario: a Flipper file as people write it, exported for ESPHome, checked for it and for
// the others, and a collection written for the format's own text into a folder.
TEST(KeysPlayers, ExportsForAPlayerAndChecksForIt) {
  TempFolder dir;
  const std::string fmf = dir / "marble.fmf", tune = dir / "tune.rtttl";
  WriteBytes(fmf,
             "Filetype: Flipper Music Format\nVersion: 0\nTitle: Marble Machine Theme\n"
             "Author: someone\nBPM: 130\nDuration: 4\nOctave: 5\nNotes: E5, P, B4, C5\n");
  // The default export keeps the whole title, which ESPHome refuses.
  auto result = RunProgram(MERIN_KEYS_PROGRAM, {"-i", fmf, "-o", tune});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_NE(result.err.find("skipped the lines of keys the Flipper does not read either: Author"),
            std::string::npos)
      << result.err;
  EXPECT_EQ(ReadBytes(tune), "Marble Machine Theme:d=4,o=5,b=214:e5,p,b4,c5");
  result = RunProgram(MERIN_KEYS_PROGRAM, {"--check", "esphome", tune});
  EXPECT_EQ(result.exitCode, 3);
  EXPECT_EQ(result.out, tune +
                            ":1:1: Marble Machine Theme -- esphome refuses a name of 20 bytes (at "
                            "most 15)\n");
  // For ESPHome the name is cut, said on stderr; the check then finds nothing, for every player.
  result = RunProgram(MERIN_KEYS_PROGRAM, {"-i", fmf, "-o", tune, "--for", "esphome"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.err, "merinkast98-keys: " + fmf +
                            ": skipped the lines of keys the Flipper does not read either: "
                            "Author\nmerinkast98-keys: " +
                            tune +
                            ": ESPHome takes names of at most 15 bytes: the name is cut to "
                            "Marble Machine\n");
  EXPECT_EQ(ReadBytes(tune), "Marble Machine:d=4,o=5,b=214:e5,p,b4,c5");
  for (const char* player :
       {"esphome", "flipper", "arduino", "micropython", "circuitpython", "portable"}) {
    result = RunProgram(MERIN_KEYS_PROGRAM, {"--check", player, tune});
    EXPECT_EQ(result.exitCode, 0) << player << ": " << result.out;
    EXPECT_EQ(result.out, "") << player;
  }
  // A collection checked tune by tune; the text as people write it differs on some players.
  const std::string collection = dir / "tunes.txt";
  WriteBytes(collection, "Plain:d=4,o=5,b=100:c,e\nDotted:d=4,o=5,b=100:c5.,e\n");
  result = RunProgram(MERIN_KEYS_PROGRAM, {"--check=arduino", collection});
  EXPECT_EQ(result.exitCode, 3);
  EXPECT_EQ(result.out, collection + ": tune 2 \"Dotted\" (from line 2)\n" + collection +
                            ":2:22: c5. -- arduino plays it with length 4, not 4.\n" + collection +
                            ":2:22: c5. -- arduino plays a rest after this note\n");
  // Every tune of it written for the format's text into a folder: names of 10 bytes at most and
  // one of its tempos; a tempo changed is said.
  const std::string out = dir / "out/";
  result =
      RunProgram(MERIN_KEYS_PROGRAM, {"-o", out, "-f", "rtttl", "--for", "standard", collection});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(ReadBytes(out + "Plain.rtttl"), "Plain:d=4,o=5,b=225:c5,e5");
  EXPECT_NE(result.err.find("standard cannot play tempo 214: written b=225 with d=4, a slot of "
                            "267 ms (at 214: 280 ms)"),
            std::string::npos)
      << result.err;
  // Unreadable input is 2, and so is --for with any output but RTTTL, or a player unknown.
  WriteBytes(dir / "bad.rtttl", "Bad:d=4:c,x");
  const std::vector<std::vector<std::string>> refused = {
      {"--check", "esphome", dir / "bad.rtttl"},
      {"--check", "esphome", dir / "missing.rtttl"},
      {"-i", fmf, "-o", dir / "x.mid", "--for", "esphome"},
      {"-i", fmf, "-o", dir / "x.rtttl", "--for", "nokia"},
      {"--check", "standard", tune},
  };
  for (const auto& args : refused) {
    result = RunProgram(MERIN_KEYS_PROGRAM, args);
    EXPECT_EQ(result.exitCode, 2) << args[0] << " " << args[1] << " " << result.err;
    EXPECT_FALSE(result.err.empty()) << args[0];
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "x.mid"));
}

}  // namespace
}  // namespace merin
