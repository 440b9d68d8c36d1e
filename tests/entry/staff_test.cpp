// SPDX-License-Identifier: MIT
#include "entry/staff.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/da.h"
#include "core/notecode.h"
#include "entry/keyboard.h"
#include "support/programfolder.h"
#include "support/recorders.h"

namespace merin {
namespace {

using test::RecordingView;
using Calls = std::vector<std::string>;

struct BandCase {
  float y;
  const char* natural;
  const char* sharp;
};

TEST(StaffNoteAt, EveryBoundGoesToTheLowerPitch) {
  const BandCase cases[] = {
      {-5, "72", "64"},
      {0, "72", "64"},
      {21, "72", "64"},
      {21.5f, "72", "64"},
      {21.9f, "72", "64"},
      {22, "63", "64"},
      {26.99f, "63", "64"},
      {27, "53", "54"},
      {32.9f, "53", "54"},
      {33, "43", "44"},
      {37.9f, "43", "44"},
      {38, "32", "32"},
      {43.9f, "32", "32"},
      {44, "23", "24"},
      {48.9f, "23", "24"},
      {49, "13", "14"},
      {56.9f, "13", "14"},
      {57, "71", "71"},
      {61.9f, "71", "71"},
      {62, "61", "62"},
      {67.9f, "61", "62"},
      {68, "51", "52"},
      {72.9f, "51", "52"},
      {73, "41", "42"},
      {78.9f, "41", "42"},
      {79, "31", "31"},
      {83.9f, "31", "31"},
      {84, "21", "22"},
      {89.9f, "21", "22"},
      {90, "11", "12"},
      {110, "11", "12"},
      {5000, "11", "12"},
      {std::numeric_limits<float>::infinity(), "11", "12"},
  };
  for (const BandCase& c : cases) {
    EXPECT_EQ(StaffNoteAt(c.y, false), c.natural) << "Y=" << c.y;
    EXPECT_EQ(StaffNoteAt(c.y, true), c.sharp) << "sharp Y=" << c.y;
  }
}

TEST(StaffNoteAt, TablesHoldExactlyTheKeyboardsCodes) {
  std::set<std::string_view> natural, sharp, white, black;
  for (auto& b : NaturalBands) natural.insert(b.code);
  for (auto& b : SharpBands) sharp.insert(b.code);
  white.insert(kWhiteKeyCodes.begin(), kWhiteKeyCodes.end());
  black.insert(kBlackKeyCodes.begin(), kBlackKeyCodes.end());
  EXPECT_EQ(natural, white);
  for (auto code : {"32", "71", "31"}) sharp.erase(code);
  EXPECT_EQ(sharp, black);
}

class StaffTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < kSlotCount; ++i) melody.Notes[i] = "99";
  }
  test::ScopedProgramFolder folder{"/app/"};
  Melody melody;
  RecordingView view;
};

TEST_F(StaffTest, LeftClickSelectsThenPlacesThenShowsTheNumber) {
  melody.Cursor = 0;
  Gosen_MouseDown(melody, view, 1, kLeftButton, kShiftMask, 3, 10);
  EXPECT_EQ(melody.Notes[1], "64");
  EXPECT_EQ(melody.Cursor, 1);
  EXPECT_EQ(view.calls, (Calls{"marker 0 0x80000009", "marker 1 0xff", "picture 1 /app/64.bmp",
                               "status NOTE:2"}));
}

TEST_F(StaffTest, OnlyShiftAloneTakesTheSharpTable) {
  for (int16_t shift = 0; shift <= 7; ++shift) {
    Gosen_MouseDown(melody, view, 2, kLeftButton, shift, 0, 30);
    EXPECT_EQ(melody.Notes[2], shift == kShiftMask ? "54" : "53") << "Shift=" << shift;
  }
}

TEST_F(StaffTest, RightClickEmptiesTheSlotWhateverTheModifiersOrHeight) {
  for (int16_t shift : {0, 1, 2, 3, 7}) {
    for (float y : {0.f, 50.f, 100.f}) {
      melody.Notes[5] = "41";
      view.calls.clear();
      Gosen_MouseDown(melody, view, 5, kRightButton, shift, 0, y);
      EXPECT_EQ(melody.Notes[5], "99");
      EXPECT_EQ(view.calls[2], "picture 5 /app/gosen.bmp");
    }
  }
}

TEST_F(StaffTest, MiddleClickOnlySelects) {
  melody.Cursor = 2;
  melody.Notes[7] = "23";
  Gosen_MouseDown(melody, view, 7, kMiddleButton, 0, 0, 60);
  EXPECT_EQ(melody.Cursor, 7);
  EXPECT_EQ(melody.Notes[7], "23");
  EXPECT_EQ(view.calls, (Calls{"marker 2 0x80000009", "marker 7 0xff", "status NOTE:8"}));
}

TEST_F(StaffTest, ClickingTheCurrentCellKeepsItRedAndReplacesItsNote) {
  melody.Cursor = 3;
  melody.Notes[3] = "11";
  Gosen_MouseDown(melody, view, 3, kLeftButton, 0, 0, 50);
  EXPECT_EQ(melody.Notes[3], "13");
  EXPECT_EQ(view.calls[0], "marker 3 0x80000009");
  EXPECT_EQ(view.calls[1], "marker 3 0xff");
}

TEST_F(StaffTest, TwoClicksLeaveTheCursorOnTheSecond) {
  Gosen_MouseDown(melody, view, 10, kLeftButton, 0, 0, 95);
  Gosen_MouseDown(melody, view, 20, kLeftButton, 0, 0, 0);
  EXPECT_EQ(melody.Notes[10], "11");
  EXPECT_EQ(melody.Notes[20], "72");
  EXPECT_EQ(melody.Cursor, 20);
}

TEST_F(StaffTest, AKeyAfterAClickOnTheLastCellWritesItAndWraps) {
  Gosen_MouseDown(melody, view, 29, kMiddleButton, 0, 0, 0);
  ken_Click(melody, view, 4);
  EXPECT_EQ(melody.Notes[29], "51");
  EXPECT_EQ(melody.Cursor, 0);
  EXPECT_EQ(view.calls.back(), "status NOTE:1");
}

TEST_F(StaffTest, AMissingPictureKeepsTheSelectionButNotTheNote) {
  melody.Cursor = 0;
  melody.Notes[9] = "41";
  view.unreadable.insert("/app/12.bmp");
  EXPECT_THROW(Gosen_MouseDown(melody, view, 9, kLeftButton, kShiftMask, 0, 100), PictureLoadError);
  EXPECT_EQ(melody.Cursor, 9);
  EXPECT_EQ(melody.Notes[9], "41");
  EXPECT_EQ(view.calls, (Calls{"marker 0 0x80000009", "marker 9 0xff"}));
}

TEST_F(StaffTest, MarkerClickSelectsAndChangesNoNote) {
  melody.Cursor = 4;
  melody.Notes[12] = "72";
  const auto before = melody.Notes;
  np_Click(melody, view, 12);
  EXPECT_EQ(melody.Cursor, 12);
  EXPECT_EQ(melody.Notes, before);
  EXPECT_EQ(view.calls, (Calls{"marker 4 0x80000009", "marker 12 0xff", "status NOTE:13"}));
}

TEST_F(StaffTest, AnIndexOutsideTheStaffChangesNothing) {
  melody.Cursor = 4;
  for (int16_t index : {-1, 30, 31}) {
    Gosen_MouseDown(melody, view, index, kLeftButton, 0, 0, 50);
    np_Click(melody, view, index);
  }
  EXPECT_EQ(melody.Cursor, 4);
  EXPECT_TRUE(view.calls.empty());
}

}  // namespace
}  // namespace merin
