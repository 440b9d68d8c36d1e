// SPDX-License-Identifier: MIT
#include "core/melody.h"

#include <gtest/gtest.h>

#include "core/da.h"
#include "core/notecode.h"
#include "support/programfolder.h"
#include "support/recorders.h"

namespace merin {
namespace {

using test::RecordingView;
using Calls = std::vector<std::string>;

class MelodyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < kSlotCount; ++i) melody.Notes[i] = "99";
  }
  test::ScopedProgramFolder folder{"/app/"};
  Melody melody;
  RecordingView view;
};

TEST(NoteCode, OnlyCodesStartingWithOneToSevenAreNotes) {
  struct Case {
    const char* code;
    bool note;
  } cases[] = {{"11", true},  {"12", true},  {"64", true}, {"72", true}, {"7", true},
               {"01", false}, {"99", false}, {"", false},  {"0", false}, {"81", false},
               {"/1", false}, {"A1", false}, {" 1", false}};
  for (const Case& c : cases) EXPECT_EQ(IsNote(c.code), c.note) << '"' << c.code << '"';
}

TEST(NextSlot, AdvancesAndWrapsFromTheLastSlot) {
  EXPECT_EQ(NextSlot(0), 1);
  EXPECT_EQ(NextSlot(14), 15);
  EXPECT_EQ(NextSlot(28), 29);
  EXPECT_EQ(NextSlot(29), 0);
}

TEST_F(MelodyTest, SelectSlotUnmarksTheOldSlotThenMarksTheNewOne) {
  melody.Cursor = 3;
  SelectSlot(melody, view, 17);
  EXPECT_EQ(melody.Cursor, 17);
  EXPECT_EQ(view.calls, (Calls{"marker 3 0x80000009", "marker 17 0xff"}));
}

TEST_F(MelodyTest, SelectSlotOnTheCurrentSlotEndsRed) {
  melody.Cursor = 5;
  SelectSlot(melody, view, 5);
  EXPECT_EQ(view.calls, (Calls{"marker 5 0x80000009", "marker 5 0xff"}));
}

TEST_F(MelodyTest, ShowSlotNumberIsOneBasedWithoutPadding) {
  for (auto [cursor, text] :
       {std::pair{0, "NOTE:1"}, {8, "NOTE:9"}, {9, "NOTE:10"}, {29, "NOTE:30"}}) {
    view.calls.clear();
    melody.Cursor = cursor;
    ShowSlotNumber(melody, view);
    EXPECT_EQ(view.calls, Calls{std::string("status ") + text});
  }
}

TEST_F(MelodyTest, PlaceNoteShowsThePictureThenStoresTheCode) {
  melody.Cursor = 4;
  PlaceNote(melody, view, "41.bmp", "41");
  EXPECT_EQ(melody.Notes[4], "41");
  EXPECT_EQ(melody.Cursor, 4);
  EXPECT_EQ(view.calls, Calls{"picture 4 /app/41.bmp"});
}

TEST_F(MelodyTest, PlaceNoteAndAdvanceRunsItsStepsInOrder) {
  melody.Cursor = 0;
  PlaceNoteAndAdvance(melody, view, "11.bmp", "11");
  EXPECT_EQ(melody.Notes[0], "11");
  EXPECT_EQ(melody.Cursor, 1);
  EXPECT_EQ(view.calls, (Calls{"picture 0 /app/11.bmp", "marker 0 0x80000009", "marker 1 0xff",
                               "status NOTE:2"}));
}

TEST_F(MelodyTest, AnUnreadablePictureStoresNothingAndMovesNothing) {
  melody.Cursor = 6;
  melody.Notes[6] = "23";
  view.unreadable.insert("/app/41.bmp");
  try {
    PlaceNoteAndAdvance(melody, view, "41.bmp", "41");
    FAIL() << "expected PictureLoadError";
  } catch (const PictureLoadError& e) {
    EXPECT_EQ(e.refusal().file, "/app/41.bmp");
  }
  EXPECT_EQ(melody.Notes[6], "23");
  EXPECT_EQ(melody.Cursor, 6);
  EXPECT_TRUE(view.calls.empty());
}

}  // namespace
}  // namespace merin
