// SPDX-License-Identifier: MIT
#include "core/applymelody.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

#include "core/da.h"
#include "support/recorders.h"

namespace merin {
namespace {

using test::RecordingView;

std::array<std::string, kSlotCount> AllEmpty() {
  std::array<std::string, kSlotCount> codes;
  codes.fill("99");
  return codes;
}

// The marker colours a run of calls leaves behind, starting from slot `start` red.
std::map<int, std::string> MarkersAfter(const std::vector<std::string>& calls, int start) {
  std::map<int, std::string> colour;
  for (int i = 0; i < kSlotCount; ++i) colour[i] = i == start ? "0xff" : "0x80000009";
  for (const std::string& call : calls) {
    int slot = 0;
    char value[16] = {};
    if (std::sscanf(call.c_str(), "marker %d %15s", &slot, value) == 2) colour[slot] = value;
  }
  return colour;
}

std::vector<std::string> Pictures(const std::vector<std::string>& calls) {
  std::vector<std::string> pictures;
  for (const std::string& call : calls) {
    if (call.starts_with("picture ")) pictures.push_back(call);
  }
  return pictures;
}

class ApplyMelodyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    melody.Notes = {};
    for (int i = 0; i < kSlotCount; ++i) melody.Notes[size_t(i)] = "13";
    melody.Cursor = 6;
  }
  std::string Picture(int slot, const char* file) const {
    return "picture " + std::to_string(slot) + " " + Da::AppFolder + file;
  }
  Melody melody;
  RecordingView view;
};

TEST_F(ApplyMelodyTest, EverySlotGetsItsCodeAndPictureThenTheCursorIsShown) {
  auto codes = AllEmpty();
  codes[0] = "11";
  codes[1] = "01";
  codes[3] = "64";
  codes[29] = "72";
  ApplyMelody(melody, view, codes, 3);

  for (int i = 0; i < kSlotCount; ++i) EXPECT_EQ(melody.Notes[size_t(i)], codes[size_t(i)]) << i;
  EXPECT_EQ(melody.Notes[30], "");
  EXPECT_EQ(melody.Cursor, 3);
  const auto pictures = Pictures(view.calls);
  ASSERT_EQ(pictures.size(), 30u);
  EXPECT_EQ(pictures[0], Picture(0, "11.bmp"));
  EXPECT_EQ(pictures[1], Picture(1, "01.bmp"));
  EXPECT_EQ(pictures[2], Picture(2, "gosen.bmp"));
  EXPECT_EQ(pictures[3], Picture(3, "64.bmp"));
  for (int i = 4; i < 29; ++i) EXPECT_EQ(pictures[size_t(i)], Picture(i, "gosen.bmp"));
  EXPECT_EQ(pictures[29], Picture(29, "72.bmp"));
  ASSERT_FALSE(view.calls.empty());
  EXPECT_EQ(view.calls.back(), "status NOTE:4");
  const auto markers = MarkersAfter(view.calls, 6);
  for (int i = 0; i < kSlotCount; ++i) EXPECT_EQ(markers.at(i), i == 3 ? "0xff" : "0x80000009");
}

TEST_F(ApplyMelodyTest, EachPictureGoesToTheSlotThatIsCurrentWhenItIsShown) {
  ApplyMelody(melody, view, AllEmpty(), 0);
  int current = 6;
  for (const std::string& call : view.calls) {
    int slot = 0;
    char value[16] = {};
    if (std::sscanf(call.c_str(), "marker %d %15s", &slot, value) == 2 &&
        std::string(value) == "0xff") {
      current = slot;
    }
    if (std::sscanf(call.c_str(), "picture %d", &slot) == 1) {
      EXPECT_EQ(slot, current) << call;
    }
  }
}

TEST_F(ApplyMelodyTest, ACodeOrCursorOutOfRangeChangesNothing) {
  struct Case {
    const char* code;
    int32_t cursor;
  } cases[] = {{"", 0},  {"00", 0},  {"73", 0},  {"81", 0},  {"15", 0}, {"C4", 0},
               {"1", 0}, {"111", 0}, {"99", -1}, {"99", 30}, {"01", 31}};
  for (const Case& c : cases) {
    auto codes = AllEmpty();
    codes[12] = c.code;
    const Melody before = melody;
    EXPECT_THROW(ApplyMelody(melody, view, codes, c.cursor), std::invalid_argument)
        << '"' << c.code << "\" cursor " << c.cursor;
    EXPECT_EQ(melody.Notes, before.Notes);
    EXPECT_EQ(melody.Cursor, before.Cursor);
    EXPECT_TRUE(view.calls.empty());
  }
}

TEST_F(ApplyMelodyTest, AnUnreadablePictureStopsAtItsSlotWithTheMarkerThere) {
  auto codes = AllEmpty();
  codes[0] = "21";
  codes[4] = "42";
  view.unreadable.insert(Da::AppFolder + "42.bmp");
  EXPECT_THROW(ApplyMelody(melody, view, codes, 0), PictureLoadError);
  EXPECT_EQ(melody.Notes[0], "21");
  for (int i = 1; i < 4; ++i) EXPECT_EQ(melody.Notes[size_t(i)], "99") << i;
  for (int i = 4; i < kSlotCount; ++i) EXPECT_EQ(melody.Notes[size_t(i)], "13") << i;
  EXPECT_EQ(melody.Cursor, 4);
  const auto markers = MarkersAfter(view.calls, 6);
  for (int i = 0; i < kSlotCount; ++i) EXPECT_EQ(markers.at(i), i == 4 ? "0xff" : "0x80000009");
  for (const std::string& call : view.calls) EXPECT_FALSE(call.starts_with("status")) << call;
}

}  // namespace
}  // namespace merin
