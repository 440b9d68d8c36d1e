// SPDX-License-Identifier: MIT
#include "output/convert.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "core/notecode.h"
#include "core/pitch.h"
#include "output/keypresses.h"

namespace merin {
namespace {

using SlotCodes = std::array<std::string, 30>;

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> Lines(const std::string& listing) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = listing.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(listing.substr(start, end - start));
  }
  EXPECT_EQ(start, listing.size()) << "text after the last CR LF";
  return lines;
}

TEST(ConvertMelody, MatchesEveryGoldenListing) {
  const std::filesystem::path dir = std::filesystem::path(MERIN_TEST_DATA) / "convert";
  int checked = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (entry.path().extension() != ".codes") continue;
    std::istringstream in(ReadFile(entry.path()));
    SlotCodes codes;
    for (auto& code : codes) ASSERT_TRUE(in >> code) << entry.path();
    std::filesystem::path golden = entry.path();
    golden.replace_extension(".keys");
    EXPECT_EQ(ConvertMelody(codes), ReadFile(golden)) << entry.path().filename();
    ++checked;
  }
  EXPECT_GE(checked, 5);
}

// The typing guide draws each slot from KeyPressesOf: drawn as text, a slot must read as the
// listing's line, and carry its own number and pitch name.
TEST(KeyPressesOf, ReadsAsTheListingLineByLine) {
  SlotCodes codes = {"11", "12", "01", "99", "13", "33", "34", "31", "72", "1x", "19", "7"};
  for (size_t i = 12; i < 30; ++i) codes[i] = NoteCodes()[i % 24];
  const auto lines = Lines(ConvertMelody(codes));
  const auto slots = KeyPressesOf(codes);
  for (size_t i = 0; i < 30; ++i) {
    std::string drawn = slots[i].confirm ? "[確定]" : "";
    for (int press = 0; press < slots[i].presses; ++press) drawn += {'[', slots[i].key, ']'};
    EXPECT_EQ(drawn, lines[i]) << "slot " << i + 1;
    EXPECT_EQ(slots[i].slot, static_cast<int>(i) + 1);
    const auto pitch = Pitch::FromCode(codes[i]);
    EXPECT_EQ(slots[i].name, pitch ? pitch->Name() : "") << codes[i];
    EXPECT_EQ(slots[i].rest, codes[i] == "01") << codes[i];
  }
}

TEST(ConvertMelody, AllEmptyIsThirtyRestLines) {
  SlotCodes codes;
  codes.fill("99");
  const std::string listing = ConvertMelody(codes);
  EXPECT_EQ(listing.size(), 150u);
  for (const std::string& line : Lines(listing)) EXPECT_EQ(line, "[0]");
}

// Line lengths in bytes: "[確定]" is 8 bytes of UTF-8 (two 3-byte characters and two brackets),
// which the user sees as 4 characters.
size_t CharacterCount(const std::string& utf8) {
  size_t n = 0;
  for (unsigned char c : utf8) n += (c & 0xC0) != 0x80;
  return n;
}

TEST(ConvertMelody, LineLengthsFollowThePressCount) {
  const std::vector<std::string> all = {"11", "12", "13", "14", "21", "22", "23", "24", "31",
                                        "32", "41", "42", "43", "44", "51", "52", "53", "54",
                                        "61", "62", "63", "64", "71", "72", "01", "99"};
  std::mt19937 random(98);
  for (int round = 0; round < 500; ++round) {
    SlotCodes codes;
    for (auto& code : codes) code = all[random() % all.size()];
    const auto lines = Lines(ConvertMelody(codes));
    ASSERT_EQ(lines.size(), 30u);
    char previous = '0';
    for (size_t i = 0; i < 30; ++i) {
      const size_t length = CharacterCount(lines[i]) + 2;
      if (!IsNote(codes[i])) {
        EXPECT_EQ(length, 5u);
        continue;
      }
      const size_t presses = codes[i][1] - '0';
      const bool confirm = codes[i][0] == previous;
      EXPECT_EQ(length, 3 * presses + 2 + (confirm ? 4 : 0)) << codes[i] << " after " << previous;
      EXPECT_EQ(lines[i].starts_with("[確定]"), confirm);
      previous = codes[i][0];
    }
  }
}

TEST(ConvertMelody, CodesNeverStoredStillGiveOneLineEach) {
  struct Case {
    const char* code;
    const char* line;
  } cases[] = {
      {"", "[0]"},          {"0", "[0]"},  {"8", "[0]"}, {"A1", "[0]"},
      {"1", "[1]"},         {"1x", ""},    {"70", ""},   {"19", "[1][1][1][1][1][1][1][1][1]"},
      {"123", "[1][1][1]"}, {"5\xff", ""},
  };
  for (const Case& c : cases) {
    SlotCodes codes;
    codes.fill("99");
    codes[3] = c.code;
    const auto lines = Lines(ConvertMelody(codes));
    ASSERT_EQ(lines.size(), 30u);
    EXPECT_EQ(lines[3], c.line) << '"' << c.code << '"';
  }
}

class FakeResultWindow : public ResultView, public ResultWindowProvider {
 public:
  std::vector<std::string> calls;
  std::string text;
  int obtained = 0;
  std::string Text() const override { return text; }
  void SetText(const std::string& t) override {
    text = t;
    calls.push_back("text " + t);
  }
  void ShowModal() override { calls.push_back("show"); }
  ResultView& ObtainResultWindow() override {
    ++obtained;
    calls.push_back("obtain");
    return *this;
  }
};

TEST(ConvertButton, EmptiesFillsThenShowsTheResultWindow) {
  Melody melody;
  for (int i = 0; i < 30; ++i) melody.Notes[i] = "99";
  melody.Notes[0] = "11";
  melody.Notes[1] = "64";
  melody.Cursor = 2;
  const Melody before = melody;
  FakeResultWindow window;
  window.text = "typed by the user";

  Command1_Click(melody, window);

  std::string expected = "[1]\r\n[6][6][6][6]\r\n";
  for (int i = 0; i < 28; ++i) expected += "[0]\r\n";
  EXPECT_EQ(window.calls,
            (std::vector<std::string>{"obtain", "text ", "text " + expected, "show"}));
  EXPECT_EQ(melody.Notes, before.Notes);
  EXPECT_EQ(melody.Cursor, before.Cursor);

  melody.Notes[0] = "99";
  Command1_Click(melody, window);
  EXPECT_EQ(window.text.substr(0, 22), "[0]\r\n[6][6][6][6]\r\n[0]");
  EXPECT_EQ(window.obtained, 2);
}

}  // namespace
}  // namespace merin
