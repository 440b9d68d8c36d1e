// SPDX-License-Identifier: MIT
#include "formats/melodytext.h"

#include "core/pitch.h"

#include <gtest/gtest.h>

namespace merin {
namespace {

constexpr std::string_view kNotAToken = "token.not-a-token", kNoSuchSharp = "token.no-such-sharp",
                           kOutsideRange = "token.outside-range";

TEST(MelodyText, PitchNamesAndCodesGiveTheKeyboardsCodes) {
  struct Case {
    const char* token;
    const char* code;
  } cases[] = {
      {"C4", "11"}, {"C#4", "12"}, {"C5", "13"}, {"C#5", "14"}, {"D4", "21"}, {"D#4", "22"},
      {"D5", "23"}, {"D#5", "24"}, {"E4", "31"}, {"E5", "32"},  {"F4", "41"}, {"F#4", "42"},
      {"F5", "43"}, {"F#5", "44"}, {"G4", "51"}, {"G#4", "52"}, {"G5", "53"}, {"G#5", "54"},
      {"A4", "61"}, {"A#4", "62"}, {"A5", "63"}, {"A#5", "64"}, {"B4", "71"}, {"B5", "72"},
      {"c4", "11"}, {"b5", "72"},  {"r", "01"},  {"R", "01"},   {"-", "99"},  {"01", "01"},
      {"99", "99"}, {"11", "11"},  {"72", "72"}, {"44", "44"},
  };
  for (const Case& c : cases) {
    std::optional<std::string> code = CodeOfToken(c.token);
    ASSERT_TRUE(code) << c.token;
    EXPECT_EQ(*code, c.code) << c.token;
  }
}

TEST(MelodyText, BadTokensSayWhy) {
  struct Case {
    const char* token;
    std::string_view reason;  // the row that says it
  } cases[] = {
      {"E#4", kNoSuchSharp},  {"B#5", kNoSuchSharp}, {"C3", kOutsideRange}, {"B6", kOutsideRange},
      {"C#6", kOutsideRange}, {"33", kNotAToken},    {"74", kNotAToken},    {"00", kNotAToken},
      {"H4", kNotAToken},     {"C", kNotAToken},     {"C##4", kNotAToken},  {"Cb4", kNotAToken},
      {"", kNotAToken},       {"rest", kNotAToken},  {"C4x", kNotAToken},   {"#4", kNotAToken},
      {"--", kNotAToken},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(CodeOfToken(c.token)) << c.token;
    EXPECT_EQ(TokenFault(c.token).id, c.reason) << c.token;
  }
}

TEST(MelodyText, PadsWithEmptySlotsAndRefusesAThirtyFirst) {
  auto parsed = ParseMelodyText({"C4", "r"});
  ASSERT_EQ(parsed.index(), 0u);
  const auto& codes = std::get<0>(parsed);
  EXPECT_EQ(codes[0], "11");
  EXPECT_EQ(codes[1], "01");
  for (size_t i = 2; i < 30; ++i) EXPECT_EQ(codes[i], "99");

  std::vector<std::string_view> tokens(31, "C4");
  auto tooLong = ParseMelodyText(tokens);
  ASSERT_EQ(tooLong.index(), 1u);
  EXPECT_EQ(std::get<1>(tooLong).tokenNumber, 31u);

  auto bad = ParseMelodyText({"C4", "D4", "X9"});
  ASSERT_EQ(bad.index(), 1u);
  EXPECT_EQ(Words(std::get<1>(bad), Language::English).substr(0, 14), "token 3 \"X9\": ");
}

TEST(MelodyText, SplitsAtAnyWhitespace) {
  EXPECT_EQ(SplitTokens(" C4\tD4\r\n\n  r -\v99 "),
            (std::vector<std::string_view>{"C4", "D4", "r", "-", "99"}));
  EXPECT_TRUE(SplitTokens(" \n\t").empty());
}

}  // namespace
}  // namespace merin
