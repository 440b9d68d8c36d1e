// SPDX-License-Identifier: MIT
#include "core/pitch.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace merin {
namespace {

// Every pitch of the handset, written out by hand: code, name, MIDI number, staff step.
struct Row {
  const char* code;
  const char* name;
  int midi;
  int step;
};
constexpr Row kPitches[] = {
    {"11", "C4", 60, 0},   {"12", "C#4", 61, 0}, {"21", "D4", 62, 1},   {"22", "D#4", 63, 1},
    {"31", "E4", 64, 2},   {"41", "F4", 65, 3},  {"42", "F#4", 66, 3},  {"51", "G4", 67, 4},
    {"52", "G#4", 68, 4},  {"61", "A4", 69, 5},  {"62", "A#4", 70, 5},  {"71", "B4", 71, 6},
    {"13", "C5", 72, 7},   {"14", "C#5", 73, 7}, {"23", "D5", 74, 8},   {"24", "D#5", 75, 8},
    {"32", "E5", 76, 9},   {"43", "F5", 77, 10}, {"44", "F#5", 78, 10}, {"53", "G5", 79, 11},
    {"54", "G#5", 80, 11}, {"63", "A5", 81, 12}, {"64", "A#5", 82, 12}, {"72", "B5", 83, 13},
};

TEST(Pitch, EveryPitchConvertsEveryWay) {
  for (const Row& row : kPitches) {
    SCOPED_TRACE(row.name);
    const auto byCode = Pitch::FromCode(row.code);
    ASSERT_TRUE(byCode);
    EXPECT_EQ(byCode->Midi(), row.midi);
    EXPECT_EQ(byCode->Name(), row.name);
    EXPECT_EQ(byCode->Step(), row.step);
    EXPECT_EQ(byCode->Key(), row.code[0]);
    EXPECT_EQ(byCode->Presses(), row.code[1] - '0');
    EXPECT_EQ(Pitch::FromMidi(row.midi), byCode);
    EXPECT_EQ(Pitch::FromName(row.name), byCode);
    EXPECT_EQ(Pitch::FromMidi(row.midi)->Code(), row.code);
    EXPECT_EQ(CodeOfToken(row.name), row.code);
    EXPECT_EQ(CodeOfToken(row.code), row.code);
    EXPECT_EQ(TokenOfCode(row.code), row.name);
    EXPECT_EQ(PictureFileOf(row.code), std::string(row.code) + ".bmp");
    EXPECT_EQ(WaveFileOf(row.code), std::string(row.code) + ".wav");
  }
}

TEST(NoteCodes, EveryPitchOnceNaturalsThenSharpsEachFromLowToHigh) {
  std::vector<std::string> naturals, sharps;
  for (const Row& row : kPitches)
    (std::string(row.name).size() == 3 ? sharps : naturals).push_back(row.code);
  std::vector<std::string> expected = naturals;
  expected.insert(expected.end(), sharps.begin(), sharps.end());
  EXPECT_EQ(NoteCodes(), expected);
}

TEST(Pitch, NothingOutsideTheRangeOrTheCodes) {
  EXPECT_FALSE(Pitch::FromMidi(59));
  EXPECT_FALSE(Pitch::FromMidi(84));
  for (const char* code : {"", "1", "10", "15", "33", "73", "81", "01", "99", "111", "1x"}) {
    EXPECT_FALSE(Pitch::FromCode(code)) << code;
  }
  std::set<std::string> codes;
  for (int midi = Pitch::kLowestMidi; midi <= Pitch::kHighestMidi; ++midi) {
    codes.insert(Pitch::FromMidi(midi)->Code());
  }
  EXPECT_EQ(codes.size(), 24u);
}

TEST(Pitch, TokensOtherThanPitches) {
  struct Case {
    const char* token;
    std::optional<std::string> code;
    std::string_view why;  // the row that says why there is no code
  };
  const Case cases[] = {
      {"r", "01", ""},
      {"R", "01", ""},
      {"-", "99", ""},
      {"01", "01", ""},
      {"99", "99", ""},
      {"c#4", "12", ""},
      {"b5", "72", ""},
      {"E#4", std::nullopt, "token.no-such-sharp"},
      {"B#5", std::nullopt, "token.no-such-sharp"},
      {"C6", std::nullopt, "token.outside-range"},
      {"B3", std::nullopt, "token.outside-range"},
      {"H4", std::nullopt, "token.not-a-token"},
      {"C", std::nullopt, "token.not-a-token"},
      {"Cb4", std::nullopt, "token.not-a-token"},
      {"73", std::nullopt, "token.not-a-token"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CodeOfToken(c.token), c.code) << c.token;
    if (!c.code) {
      EXPECT_EQ(TokenFault(c.token).id, c.why) << c.token;
    }
  }
  EXPECT_EQ(TokenOfCode("01"), "r");
  EXPECT_EQ(TokenOfCode("99"), "-");
  EXPECT_EQ(WaveFileOf("99"), "01.wav");
  EXPECT_EQ(WaveFileOf(""), "01.wav");
  EXPECT_EQ(PictureFileOf("01"), "01.bmp");
}

}  // namespace
}  // namespace merin
