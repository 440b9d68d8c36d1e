// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/runprogram.h"

namespace merin {
namespace {

using test::RunProgram;

std::string Golden(const std::string& name) {
  std::ifstream in(std::filesystem::path(MERIN_TEST_DATA) / "convert" / (name + ".keys"),
                   std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string Repeat(const std::string& text, int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += text;
  return s;
}

std::string Rests(int n) { return Repeat("[0]\r\n", n); }

TEST(KeysProgram, ArgumentsAndStandardInputGiveTheSameListing) {
  struct Case {
    std::vector<std::string> args;
    std::string input;
    std::string expected;
    std::string err = "";  // an empty melody read is said, typed empty slots are not
  } cases[] = {
      {{"11", "11", "21", "99", "72"}, "", Golden("repeated-key")},
      {{}, "11 11\n21\t99 72\n", Golden("repeated-key")},
      {{"C5", "r", "C#5", "E5", "E5"}, "", Golden("rest-between")},
      {{}, "C4 D4 C4", Golden("nearest-note")},
      {{},
       "",
       Golden("all-empty"),
       "merinkast98-keys: standard input: the melody is empty (no notes or rests)\n"},
      {{"-", "-"}, "", Golden("all-empty")},
      {{},
       "\n",
       Rests(30),
       "merinkast98-keys: standard input: the melody is empty (no notes or rests)\n"},
      {{"-", "-", "A#5"}, "", Rests(2) + "[6][6][6][6]\r\n" + Rests(27)},
  };
  for (const Case& c : cases) {
    auto result = RunProgram(MERIN_KEYS_PROGRAM, c.args, c.input);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, c.expected);
    EXPECT_EQ(result.err, c.err);
  }
}

TEST(KeysProgram, BadInputNamesTheTokenAndPrintsNothing) {
  struct Case {
    std::vector<std::string> args;
    std::string input;
    std::string message;
  } cases[] = {
      {{"C4", "H4"}, "", "token 2 \"H4\": not a note code"},
      {{}, "C4 D4\nE#4", "standard input:2:1: \"E#4\": E and B have no sharp"},
      {{"C6"}, "", "token 1 \"C6\": outside the handset's range C4..B5"},
      {{"33"}, "", "token 1 \"33\": not a note code"},
      {{}, Repeat("C4 ", 31), "standard input:1:91: \"C4\": more than 30 tokens"},
      {{"C4", "--frobnicate"}, "", "argument 2 \"--frobnicate\": unknown option"},
  };
  for (const Case& c : cases) {
    auto result = RunProgram(MERIN_KEYS_PROGRAM, c.args, c.input);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err.rfind("merinkast98-keys: " + c.message, 0), 0u) << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
  }
}

TEST(KeysProgram, HelpAndVersion) {
  auto help = RunProgram(MERIN_KEYS_PROGRAM, {"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("Usage: merinkast98-keys"), std::string::npos);
  // A format of the list is read, written, or both: audio is listened to and exported.
  for (const char* line : {"  .mid .midi .smf       MIDI file, read and written\n",
                           "  .wav                  WAV audio, read and written\n"}) {
    EXPECT_NE(help.out.find(line), std::string::npos) << line;
  }
  auto version = RunProgram(MERIN_KEYS_PROGRAM, {"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out.rfind("merinkast98-keys ", 0), 0u);
}

}  // namespace
}  // namespace merin
